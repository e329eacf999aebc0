#pragma once

#include "engine/world/ObjectList.h"

namespace ov
{

// Walks one list: first(), then currentObject() and next() until isDone().
class ObjectListIterator
{
public:
    // Walks the list given (not owned; it must outlive the iterator): first() starts at its first entry, next()
    // moves on.
    ///@{
    explicit ObjectListIterator(const ObjectList* list) : m_list(list) {}

    void first() { m_index = 0; }
    void next()
    {
        if (m_index < m_list->getCount())
            ++m_index;
    }
    ///@}
    // True at the end of the list or at an entry that refers to no object
    // (the list may have shrunk under the iterator; get answers nullptr then).
    bool isDone() const { return m_index >= m_list->getCount() || !m_list->get(m_index); }
    // The entry the iterator is at.
    Object* currentObject() const { return m_list->get(m_index); }

private:
    const ObjectList* m_list;
    int m_index = 0;
};

} // namespace ov
