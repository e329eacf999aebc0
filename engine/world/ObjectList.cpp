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

// Copies the entries of the first used slots, skipping emptied ones; the number copied.
int copyEntries(Object** to, Object* const* from, int used)
{
    int count = 0;
    for (int i = 0; i < used; ++i)
    {
        if (from[i])
            to[count++] = from[i];
    }
    return count;
}

} // namespace

ObjectList::ObjectList()
    : m_allowDuplicates(false), m_capacity(0), m_count(0), m_items(allocateItems(1)),
      m_used(0), m_slots(), m_indexed(false), m_unique(true)
{
    if (m_items)
    {
        m_items[0] = nullptr;
        m_capacity = 1;
    }
}

ObjectList::ObjectList(const ObjectList& other)
    : m_allowDuplicates(false), m_capacity(0), m_count(0), m_items(allocateItems(other.m_capacity)),
      m_used(0), m_slots(), m_indexed(false), m_unique(other.m_unique)
{
    // The copy starts without an index: most copies are only walked.
    if (m_items)
    {
        m_capacity = other.m_capacity;
        m_count = copyEntries(m_items, other.m_items, other.m_used);
        m_used = m_count;
    }
}

ObjectList::ObjectList(ObjectList&& other) noexcept
    : m_allowDuplicates(other.m_allowDuplicates),
      m_capacity(other.m_capacity),
      m_count(other.m_count),
      m_items(other.m_items),
      m_used(other.m_used),
      m_slots(std::move(other.m_slots)),
      m_indexed(other.m_indexed),
      m_unique(other.m_unique)
{
    // The emptied list keeps working: its first insert allocates again.
    other.m_capacity = 0;
    other.m_count = 0;
    other.m_items = nullptr;
    other.m_used = 0;
    other.m_slots.clear();
    other.m_indexed = false;
    other.m_unique = true;
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
    m_count = copyEntries(m_items, other.m_items, other.m_used);
    m_used = m_count;
    m_allowDuplicates = false;
    m_unique = other.m_unique;
    dropIndex();
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
        std::swap(m_used, other.m_used);
        std::swap(m_slots, other.m_slots);
        std::swap(m_indexed, other.m_indexed);
        std::swap(m_unique, other.m_unique);
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
    else if (m_used >= m_capacity)
    {
        closeGaps(); // room enough, but in emptied slots
    }

    if (m_allowDuplicates)
    {
        // An index maps each object to one slot, so it cannot serve this list any more.
        m_unique = false;
        dropIndex();
    }

    m_items[m_used] = object;
    if (m_indexed)
        m_slots.set(object, m_used);
    ++m_used;
    ++m_count;
    return 0;
}

int ObjectList::remove(Object* object)
{
    int slot = findSlot(object);
    if (slot < 0)
        return -1;

    m_items[slot] = nullptr;
    if (m_indexed)
        m_slots.erase(object);
    --m_count;
    // An emptied slot at the end is simply given back.
    while (m_used > 0 && !m_items[m_used - 1])
        --m_used;
    return 0;
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
    m_used = 0;
    m_unique = true;
    dropIndex();
}

ObjectList ObjectList::operator+(ObjectList other) const
{
    ObjectList sum(*this);
    for (int i = 0; i < other.m_used; ++i)
    {
        if (other.m_items[i])
            sum.insert(other.m_items[i]);
    }
    return sum;
}

int ObjectList::findSlot(const Object* object) const
{
    if (!object)
        return -1;

    if (!m_indexed && wantsIndex())
        buildIndex();
    if (m_indexed)
    {
        return m_slots.find(object);
    }

    for (int i = 0; i < m_used; ++i)
    {
        if (m_items[i] == object)
            return i;
    }
    return -1;
}

void ObjectList::closeGaps() const
{
    int count = 0;
    for (int i = 0; i < m_used; ++i)
    {
        Object* object = m_items[i];
        if (!object)
            continue;
        if (count != i)
        {
            m_items[count] = object;
            if (m_indexed)
                m_slots.set(object, count);
        }
        ++count;
    }
    m_used = count;
}

void ObjectList::buildIndex() const
{
    m_slots.clear();
    m_slots.reserve(m_count);
    for (int i = 0; i < m_used; ++i)
    {
        if (m_items[i])
            m_slots.set(m_items[i], i);
    }
    m_indexed = true;
}

void ObjectList::dropIndex()
{
    m_slots.clear();
    m_indexed = false;
}

} // namespace ov
