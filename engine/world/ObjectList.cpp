#include "engine/world/ObjectList.h"

#include "engine/core/LogManager.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace ov
{

namespace
{

const char SOURCE[] = "ObjectList";

// A fresh array of the given number of slots, or nullptr when memory is short.
Object** allocateItems(int capacity)
{
    if (capacity <= 0)
        return nullptr;
    return static_cast<Object**>(std::malloc(static_cast<std::size_t>(capacity) * sizeof(Object*)));
}

} // namespace

ObjectList::ObjectList()
    : m_allowDuplicates(false), m_capacity(0), m_count(0), m_items(allocateItems(1))
{
    if (m_items)
    {
        m_items[0] = nullptr;
        m_capacity = 1;
    }
}

ObjectList::ObjectList(const ObjectList& other)
    : m_allowDuplicates(false), m_capacity(0), m_count(0), m_items(allocateItems(other.m_capacity))
{
    if (m_items)
    {
        m_capacity = other.m_capacity;
        m_count = other.m_count;
        if (m_count > 0)
            std::memcpy(m_items, other.m_items, static_cast<std::size_t>(m_count) * sizeof(Object*));
    }
}

ObjectList::ObjectList(ObjectList&& other) noexcept
    : m_allowDuplicates(other.m_allowDuplicates),
      m_capacity(other.m_capacity),
      m_count(other.m_count),
      m_items(other.m_items)
{
    // The emptied list keeps working: its first insert allocates again.
    other.m_capacity = 0;
    other.m_count = 0;
    other.m_items = nullptr;
}

ObjectList& ObjectList::operator=(const ObjectList& other)
{
    if (this == &other)
        return *this;

    Object** items = allocateItems(other.m_capacity);
    if (!items && other.m_capacity > 0)
        return *this; // no memory: keep the old entries rather than lose them

    std::free(m_items);
    m_items = items;
    m_capacity = other.m_capacity;
    m_count = other.m_count;
    m_allowDuplicates = false;
    if (m_count > 0)
        std::memcpy(m_items, other.m_items, static_cast<std::size_t>(m_count) * sizeof(Object*));
    return *this;
}

ObjectList& ObjectList::operator=(ObjectList&& other) noexcept
{
    if (this != &other)
    {
        // The other list releases our old array when it goes.
        std::swap(m_allowDuplicates, other.m_allowDuplicates);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_count, other.m_count);
        std::swap(m_items, other.m_items);
    }
    return *this;
}

ObjectList::~ObjectList()
{
    std::free(m_items);
}

int ObjectList::insert(Object* object)
{
    if (!object)
        return -1;

    if (!m_allowDuplicates && contains(object))
    {
        LogManager::getInstance().writeLog("WARN", SOURCE, "Insert failed due to element already in list.");
        return 0;
    }

    // Grow only when every slot is taken, so a long list does not keep
    // doubling while it still has room.
    if (m_count >= m_capacity)
    {
        long long newCapacity = m_capacity > 0 ? static_cast<long long>(m_capacity) * 2 : 1;
        Object** items = nullptr;
        if (newCapacity <= INT_MAX)
        {
            std::size_t bytes = static_cast<std::size_t>(newCapacity) * sizeof(Object*);
            items = static_cast<Object**>(std::realloc(m_items, bytes));
        }
        if (!items)
        {
            LogManager::getInstance().writeLog("", SOURCE, "Scale failed.");
            LogManager::getInstance().writeLog("ERROR", SOURCE, "Insert failed due to scale error.");
            return -1;
        }
        m_items = items;
        m_capacity = static_cast<int>(newCapacity);
    }

    m_items[m_count] = object;
    ++m_count;
    return 0;
}

int ObjectList::remove(Object* object)
{
    for (int i = 0; i < m_count; ++i)
    {
        if (m_items[i] == object)
        {
            std::memmove(m_items + i, m_items + i + 1,
                         static_cast<std::size_t>(m_count - i - 1) * sizeof(Object*));
            --m_count;
            return 0;
        }
    }
    return -1;
}

void ObjectList::clear()
{
    Object** items = static_cast<Object**>(std::realloc(m_items, sizeof(Object*)));
    if (!items)
        return;
    m_items = items;
    m_items[0] = nullptr;
    m_capacity = 1;
    m_count = 0;
}

bool ObjectList::contains(const Object* object) const
{
    for (int i = 0; i < m_count; ++i)
    {
        if (m_items[i] == object)
            return true;
    }
    return false;
}

int ObjectList::getCount() const
{
    return m_count;
}

int ObjectList::getCapacity() const
{
    return m_capacity;
}

bool ObjectList::isEmpty() const
{
    return m_count == 0;
}

Object* ObjectList::get(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    return m_items[index];
}

void ObjectList::setAllowDuplicates(bool allow)
{
    m_allowDuplicates = allow;
}

bool ObjectList::getAllowDuplicates() const
{
    return m_allowDuplicates;
}

ObjectList ObjectList::operator+(ObjectList other) const
{
    ObjectList sum(*this);
    for (int i = 0; i < other.m_count && other.m_items[i]; ++i)
        sum.insert(other.m_items[i]);
    return sum;
}

} // namespace ov
