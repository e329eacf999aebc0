#pragma once

#include "engine/world/Box.h"
#include "engine/world/ObjectIndex.h"

#include <cstdint>
#include <vector>

namespace ov
{

class Object;

// Side of one square cell of the grid, in world cells: a few times the size
// of a typical object, so that a move of a few cells looks at a handful of
// grid cells.
const float GRID_CELL_SIZE = 4.0f;
// An object whose box spans more grid cells than this along either axis is
// not filed in a cell; every search looks at it.
const int GRID_MAX_SPAN = 8;

// Files objects by place, so that the objects near a place are found without
// looking at the others. Each object is filed in the grid cell of its box's
// top-left corner; a search looks as many cells further left and up as the
// widest and tallest box filed spans. Each object carries the number of its
// filing; filings only grow, so the numbers give back the order in which the
// objects were filed.
class SpatialGrid
{
public:
    // Files the object at its current box, after every object already filed.
    void insert(Object* object);
    // Takes the object out (nothing when it is not filed).
    void remove(const Object* object);
    // Files the object again after its position or box changed.
    void update(Object* object);
    // Forgets every object.
    void clear();

    // Whether the object is filed, and how many are.
    ///@{
    bool contains(const Object* object) const { return m_filingOf.find(object) >= 0; }
    int getCount() const { return m_filingOf.getCount(); }
    ///@}

    // Appends every filed object whose world box may meet the area (at least
    // every one that does), each once, in filing order. False, with nothing
    // appended, when the area covers so many grid cells that a plain walk of
    // all the objects is cheaper.
    bool findNear(const Box& area, std::vector<Object*>& found) const;

private:
    // The grid cells one box covers, ends included; not valid when a
    // coordinate is not finite or lies beyond the grid's reach.
    struct CellRange
    {
        int left;
        int top;
        int right;
        int bottom;
        bool valid;
    };

    struct Filing
    {
        std::uint64_t order;
        Object* object;  // nullptr once removed, until the place is reused
        bool wide;       // in m_wide rather than in a cell
        int column;      // the cell, when not wide
        int row;
        int next;        // neighbours in the cell's chain, or -1
        int previous;
    };

    // One grid cell that has held objects: the first filing of its chain.
    struct Cell
    {
        std::int64_t key;
        int head; // -1 when empty
        bool used;
    };

    static CellRange cellsOf(const Box& box);
    // Whether a box of this range is filed in a cell rather than as wide.
    static bool fitsACell(const CellRange& cells);
    static std::int64_t keyOf(int column, int row);

    void widenReach(const CellRange& cells);
    // Puts the filing into the chain of the cell of the range's top-left
    // corner, or into the wide list.
    void file(int place, const CellRange& cells);
    // Takes the filing out of its cell's chain or the wide list.
    void unfile(int place);
    // The cell's slot in m_cells, or the free slot where it belongs.
    std::size_t findCell(std::int64_t key) const;
    Cell& cellFor(std::int64_t key);
    void rebuildCells(std::size_t size);

    ObjectIndex m_filingOf;          // each filed object's place in m_filings
    std::vector<Filing> m_filings;
    std::vector<int> m_freeFilings;  // places freed by removals, reused first
    std::vector<int> m_wide;         // places of the objects filed in no cell
    std::vector<Cell> m_cells;       // open-addressed by key, a power of two in size
    int m_cellCount = 0;
    int m_reachColumns = 0; // the most further columns a filed box spans; never shrinks until clear
    int m_reachRows = 0;
    std::uint64_t m_nextOrder = 0;
};

} // namespace ov
