#pragma once

#include <cstdint>
#include <vector>

namespace ov
{

class Object;

// Maps objects (by identity) to small numbers: an open-addressed table in one
// array, so a lookup reads one place in memory and needs no allocation.
class ObjectIndex
{
public:

    // The number stored for the object, or -1 when it has none.
    int find(const Object* object) const;
    // Stores the number for the object, replacing any it had. The object must not be none.
    void set(const Object* object, int value);
    // Forgets the object (nothing when it has no number).
    void erase(const Object* object);
    // Forgets every object.
    void clear();
    // Makes room for this many objects at once.
    void reserve(int count);

    // The number of objects held.
    int getCount() const { return m_count; }

private:
    struct Slot
    {
        const Object* object; // nullptr when free
        int value;
    };

    // Where the object's search starts.
    std::size_t home(const Object* object) const;
    // The slot holding the object, or the free slot that ends its search.
    std::size_t probe(const Object* object) const;
    void rebuild(std::size_t size);

    std::vector<Slot> m_slots; // a power of two in size, at most half full
    int m_count = 0;
    int m_shift = 64; // 64 less the number of bits of the table's size
};

} // namespace ov
