#pragma once

#include "engine/world/ObjectList.h"

namespace ov
{

// Walks one list: first(), then currentObject() and next() until isDone().
class ObjectListIterator
{
public:
    explicit ObjectListIterator(const ObjectList* list);

    void first();
    void next();
    // True at the end of the list or at an entry that refers to no object.
    bool isDone() const;
    Object* currentObject() const;

private:
    const ObjectList* m_list;
    int m_index;
};

} // namespace ov
