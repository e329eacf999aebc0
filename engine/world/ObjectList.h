#pragma once

namespace ov
{

class Object;

const int MAX_LIST_GROW_FREE = 5000;

// Ordered, growable list of object references. It never owns the objects.
// Copies are independent lists.
class ObjectList
{
public:
    ObjectList();
    ObjectList(const ObjectList& other);
    ObjectList(ObjectList&& other) noexcept;
    ObjectList& operator=(const ObjectList& other);
    ObjectList& operator=(ObjectList&& other) noexcept;
    ~ObjectList();

    // 0 when stored (or already held: warned, list unchanged), -1 on no object or no memory.
    int insert(Object* object);
    // 0 when the first equal entry was removed, -1 when there was none.
    int remove(Object* object);
    // Back to one slot and no entries.
    void clear();

    bool contains(const Object* object) const;
    int getCount() const;
    int getCapacity() const;
    bool isEmpty() const;

    // Entry at an index; nullptr outside 0 to count - 1.
    Object* get(int index) const;

    void setAllowDuplicates(bool allow);
    bool getAllowDuplicates() const;

    // A copy of this list that then receives every entry of the other, in order.
    ObjectList operator+(ObjectList other) const;

private:
    bool m_allowDuplicates;
    int m_capacity;
    int m_count;
    Object** m_items;
};

} // namespace ov
