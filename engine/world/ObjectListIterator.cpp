#include "engine/world/ObjectListIterator.h"

namespace ov
{

ObjectListIterator::ObjectListIterator(const ObjectList* list)
    : m_list(list), m_index(0)
{
}

void ObjectListIterator::first()
{
    m_index = 0;
}

void ObjectListIterator::next()
{
    if (m_index < m_list->getCount())
        ++m_index;
}

bool ObjectListIterator::isDone() const
{
    // The list may have shrunk under the iterator; get() answers nullptr then.
    return m_index >= m_list->getCount() || !m_list->get(m_index);
}

Object* ObjectListIterator::currentObject() const
{
    return m_list->get(m_index);
}

} // namespace ov
