#include "engine/world/ObjectIndex.h"

#include <algorithm>
#include <cassert>

namespace ov
{

namespace
{

const std::size_t SMALLEST_TABLE = 32;

} // namespace

int ObjectIndex::find(const Object* object) const
{
    if (m_slots.empty() || !object)
        return -1;
    const Slot& slot = m_slots[probe(object)];
    return slot.object ? slot.value : -1;
}

void ObjectIndex::set(const Object* object, int value)
{
    assert(object);
    if (static_cast<std::size_t>(m_count + 1) * 2 > m_slots.size())
        rebuild(m_slots.empty() ? SMALLEST_TABLE : m_slots.size() * 2);

    Slot& slot = m_slots[probe(object)];
    if (!slot.object)
    {
        slot.object = object;
        ++m_count;
    }
    slot.value = value;
}

void ObjectIndex::erase(const Object* object)
{
    if (m_slots.empty() || !object)
        return;
    std::size_t hole = probe(object);
    if (!m_slots[hole].object)
        return;

    // Linear probing without markers of removal: each later entry of the run
    // whose search would pass the hole moves back into it.
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t next = (hole + 1) & mask; m_slots[next].object; next = (next + 1) & mask)
    {
        std::size_t start = home(m_slots[next].object);
        bool passesHole = hole <= next ? (start <= hole || start > next) : (start <= hole && start > next);
        if (passesHole)
        {
            m_slots[hole] = m_slots[next];
            hole = next;
        }
    }
    m_slots[hole].object = nullptr;
    --m_count;
}

void ObjectIndex::clear()
{
    // The table keeps its size: a list emptied is usually filled again.
    if (m_count > 0)
        std::fill(m_slots.begin(), m_slots.end(), Slot{nullptr, 0});
    m_count = 0;
}

void ObjectIndex::reserve(int count)
{
    std::size_t size = m_slots.empty() ? SMALLEST_TABLE : m_slots.size();
    while (size < static_cast<std::size_t>(count) * 2)
        size *= 2;
    if (size != m_slots.size())
        rebuild(size);
}

std::size_t ObjectIndex::home(const Object* object) const
{
    // Objects made one after another lie one after another in memory, and
    // the world's passes over them mostly follow that order. So each page of
    // memory is hashed (Fibonacci hashing) to a place in the table, and the
    // objects of one page take the slots from there on in address order (an
    // object is larger than 64 bytes): a pass in that order walks the table
    // forward in short runs instead of jumping all over it.
    std::uint64_t bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(object));
    std::size_t page = static_cast<std::size_t>(((bits >> 12) * 0x9E3779B97F4A7C15ull) >> m_shift);
    std::size_t withinPage = static_cast<std::size_t>((bits >> 6) & 63);
    return (page + withinPage) & (m_slots.size() - 1);
}

std::size_t ObjectIndex::probe(const Object* object) const
{
    std::size_t mask = m_slots.size() - 1;
    std::size_t at = home(object);
    while (m_slots[at].object && m_slots[at].object != object)
        at = (at + 1) & mask;
    return at;
}

void ObjectIndex::rebuild(std::size_t size)
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(size, Slot{nullptr, 0});
    int bits = 0;
    while ((static_cast<std::size_t>(1) << bits) < size)
        ++bits;
    m_shift = 64 - bits;
    m_count = 0;
    for (const Slot& slot : old)
    {
        if (slot.object)
            set(slot.object, slot.value);
    }
}

} // namespace ov
