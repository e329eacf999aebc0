#pragma once

#include "engine/world/Box.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace ov
{

class Object;

// Side of one square cell of the grid, in world cells: a few times the size
// of a typical object, so that most objects sit in one to four cells and a
// move of a few cells looks at a handful of them.
const float GRID_CELL_SIZE = 4.0f;
// An object whose box covers more grid cells than this is not filed in
// cells; every search looks at it.
const int GRID_MAX_CELLS_PER_OBJECT = 64;

// Files objects by the grid cells their world boxes cover, so that the
// objects near a place are found without looking at the others. Each object
// carries the number of its filing; filings only grow, so the numbers give
// back the order in which the objects were filed.
class SpatialGrid
{
public:
    SpatialGrid();

    // Files the object at its current box, after every object already filed.
    void insert(Object* object);
    void remove(const Object* object);
    // Files the object again after its position or box changed.
    void update(Object* object);
    void clear();

    bool contains(const Object* object) const;
    int getCount() const;

    // Appends every filed object whose world box may meet the area (at least
    // every one that does), each once, in filing order. False, with nothing
    // appended, when the area covers so many grid cells that a plain walk of
    // all the objects is cheaper.
    bool findNear(const Box& area, std::vector<Object*>& found) const;

private:
    // The grid cells one box covers, ends included.
    struct CellRange
    {
        int left;
        int top;
        int right;
        int bottom;
        // Not filed in cells: too large, or not a finite place.
        bool wide;

        bool operator==(const CellRange& other) const;
        bool operator!=(const CellRange& other) const { return !(*this == other); }
    };

    struct Entry
    {
        std::uint64_t order;
        Object* object;
    };

    struct Filing
    {
        std::uint64_t order;
        CellRange cells;
    };

    // Not wide only when every coordinate is finite and within reach of the grid.
    static CellRange cellsOf(const Box& box);
    // Also wide when the object's box covers too many cells.
    static CellRange filedCellsOf(const Object* object);
    static std::int64_t keyOf(int column, int row);
    void addToCells(const Entry& entry, const CellRange& cells);
    void removeFromCells(const Object* object, const CellRange& cells);

    std::unordered_map<std::int64_t, std::vector<Entry>> m_cells;
    std::unordered_map<const Object*, Filing> m_filings;
    std::vector<Entry> m_wide;
    std::uint64_t m_nextOrder;
};

} // namespace ov
