#pragma once

#include "engine/world/ObjectIndex.h"

namespace ov
{

class Object;

const int MAX_LIST_GROW_FREE = 5000;
// Below this many entries a scan is quicker than a lookup, and a list keeps no index.
const int INDEX_FROM_COUNT = 24;

// Ordered, growable list of object references. It never owns the objects.
// Copies are independent lists.
//
// Long lists keep an index from each object to its slot beside the array, so
// membership and removal need no scan. A removal only empties its slot; the
// next read by position closes the gaps in one pass, so removing many objects
// in a row costs one pass instead of one shift each.
class ObjectList
{
public:
    ObjectList();
    // Copies are independent lists of the same objects; a moved-from list is empty.
    ///@{
    ObjectList(const ObjectList& other);
    ObjectList(ObjectList&& other) noexcept;
    ObjectList& operator=(const ObjectList& other);
    ObjectList& operator=(ObjectList&& other) noexcept;
    ///@}
    ~ObjectList();

    // 0 when stored (or already held: warned, list unchanged), -1 on no object or no memory.
    int insert(Object* object);
    // 0 when the first equal entry was removed, -1 when there was none.
    int remove(Object* object);
    // Back to one slot and no entries.
    void clear();

    // Whether the object is in the list (false for nullptr).
    bool contains(const Object* object) const { return object && findSlot(object) >= 0; }
    // The entries held, the room for them before the list grows, and whether there are none.
    ///@{
    int getCount() const { return m_count; }
    int getCapacity() const { return m_capacity; }
    bool isEmpty() const { return m_count == 0; }
    ///@}

    // Entry at an index; nullptr outside 0 to count - 1. Inline: every pass
    // over the world reads its lists through it.
    Object* get(int index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        if (m_used != m_count)
            closeGaps();
        return m_items[index];
    }

    // Whether the same object may be inserted twice (off by default: a second insert warns and changes nothing).
    ///@{
    void setAllowDuplicates(bool allow) { m_allowDuplicates = allow; }
    bool getAllowDuplicates() const { return m_allowDuplicates; }
    ///@}

    // A copy of this list that then receives every entry of the other, in order.
    ObjectList operator+(ObjectList other) const;

private:
    // The slot holding the object, or -1.
    int findSlot(const Object* object) const;
    // Moves the entries left of the emptied slots down, keeping their order.
    void closeGaps() const;
    // Whether the list is long enough to be worth an index.
    bool wantsIndex() const { return m_unique && m_count >= INDEX_FROM_COUNT; }
    void buildIndex() const;
    void dropIndex();

    bool m_allowDuplicates;
    int m_capacity;
    int m_count;
    Object** m_items;

    // Slots written so far, emptied ones included (m_count <= m_used <= m_capacity).
    mutable int m_used;
    // Object to slot, for every entry; only built once a lookup needs it.
    mutable ObjectIndex m_slots;
    mutable bool m_indexed;
    // False once an entry may be held twice; such a list is never indexed.
    bool m_unique;
};

} // namespace ov
