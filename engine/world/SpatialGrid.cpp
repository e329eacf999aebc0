#include "engine/world/SpatialGrid.h"

#include "engine/world/Geometry.h"

#include <algorithm>
#include <cmath>

namespace ov
{

namespace
{

// Grid columns and rows stay well inside an int; a box beyond them is filed as wide.
const double FARTHEST_CELL = 1.0e9;
const std::size_t SMALLEST_CELL_TABLE = 64;

// The grid column (or row) of a coordinate. Division and floor never
// decrease, so a point inside a box falls in a cell of the box's range.
bool cellOf(float coordinate, double& cell)
{
    cell = std::floor(static_cast<double>(coordinate) / static_cast<double>(GRID_CELL_SIZE));
    return cell >= -FARTHEST_CELL && cell <= FARTHEST_CELL;
}

std::size_t hashKey(std::int64_t key, std::size_t size)
{
    std::uint64_t bits = static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(bits ^ (bits >> 32)) & (size - 1);
}

// A candidate of a search: the object and its filing number, to sort by.
struct Candidate
{
    std::uint64_t order;
    Object* object;
};

} // namespace

void SpatialGrid::insert(Object* object)
{
    if (!object || contains(object))
        return;

    int place;
    if (m_freeFilings.empty())
    {
        place = static_cast<int>(m_filings.size());
        m_filings.push_back(Filing());
    }
    else
    {
        place = m_freeFilings.back();
        m_freeFilings.pop_back();
    }
    Filing& filing = m_filings[static_cast<std::size_t>(place)];
    filing = Filing{m_nextOrder++, object, false, 0, 0, -1, -1};
    m_filingOf.set(object, place);
    file(place, cellsOf(getWorldBox(object)));
}

void SpatialGrid::remove(const Object* object)
{
    int place = m_filingOf.find(object);
    if (place < 0)
        return;
    unfile(place);
    m_filings[static_cast<std::size_t>(place)].object = nullptr;
    m_freeFilings.push_back(place);
    m_filingOf.erase(object);
}

void SpatialGrid::update(Object* object)
{
    int place = m_filingOf.find(object);
    if (place < 0)
        return;

    const Filing& filing = m_filings[static_cast<std::size_t>(place)];
    CellRange cells = cellsOf(getWorldBox(object));
    if (!filing.wide && fitsACell(cells) && filing.column == cells.left && filing.row == cells.top)
    {
        widenReach(cells); // the box may have grown in its cell
        return;
    }
    if (filing.wide && !fitsACell(cells))
        return;

    unfile(place);
    file(place, cells);
}

void SpatialGrid::clear()
{
    m_filingOf.clear();
    m_filings.clear();
    m_freeFilings.clear();
    m_wide.clear();
    m_cells.clear();
    m_cellCount = 0;
    m_reachColumns = 0;
    m_reachRows = 0;
}

bool SpatialGrid::findNear(const Box& area, std::vector<Object*>& found) const
{
    CellRange cells = cellsOf(area);
    if (!cells.valid)
        return false;

    // A box filed further left or up can still reach into the area.
    int left = cells.left - m_reachColumns;
    int top = cells.top - m_reachRows;
    double columns = static_cast<double>(cells.right) - left + 1.0;
    double rows = static_cast<double>(cells.bottom) - top + 1.0;
    // Looking into a cell costs about as much as testing a few objects.
    if (columns * rows > 16.0 + static_cast<double>(getCount()) * 0.25)
        return false;

    std::vector<Candidate> near;
    for (int place : m_wide)
        near.push_back(Candidate{m_filings[static_cast<std::size_t>(place)].order,
                                 m_filings[static_cast<std::size_t>(place)].object});
    if (!m_cells.empty())
    {
        for (int row = top; row <= cells.bottom; ++row)
        {
            for (int column = left; column <= cells.right; ++column)
            {
                const Cell& cell = m_cells[findCell(keyOf(column, row))];
                for (int place = cell.used ? cell.head : -1; place >= 0;)
                {
                    const Filing& filing = m_filings[static_cast<std::size_t>(place)];
                    near.push_back(Candidate{filing.order, filing.object});
                    place = filing.next;
                }
            }
        }
    }

    // Each object is filed once, so sorting alone gives back the filing order.
    std::sort(near.begin(), near.end(),
              [](const Candidate& a, const Candidate& b) { return a.order < b.order; });
    for (const Candidate& candidate : near)
        found.push_back(candidate.object);
    return true;
}

SpatialGrid::CellRange SpatialGrid::cellsOf(const Box& box)
{
    CellRange cells{0, 0, 0, 0, false};

    // The same float sums as the overlap test, so the range holds every point
    // the test counts as inside the box, whatever the sign of the extents.
    float x1 = box.corner.x;
    float x2 = box.corner.x + box.horizontal;
    float y1 = box.corner.y;
    float y2 = box.corner.y + box.vertical;
    if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2))
        return cells;

    double left, right, top, bottom;
    if (!cellOf(std::min(x1, x2), left) || !cellOf(std::max(x1, x2), right)
        || !cellOf(std::min(y1, y2), top) || !cellOf(std::max(y1, y2), bottom))
        return cells;

    cells = CellRange{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                      static_cast<int>(bottom), true};
    return cells;
}

bool SpatialGrid::fitsACell(const CellRange& cells)
{
    return cells.valid && cells.right - cells.left <= GRID_MAX_SPAN && cells.bottom - cells.top <= GRID_MAX_SPAN;
}

std::int64_t SpatialGrid::keyOf(int column, int row)
{
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32)
        | static_cast<std::uint32_t>(row));
}

void SpatialGrid::widenReach(const CellRange& cells)
{
    m_reachColumns = std::max(m_reachColumns, cells.right - cells.left);
    m_reachRows = std::max(m_reachRows, cells.bottom - cells.top);
}

void SpatialGrid::file(int place, const CellRange& cells)
{
    Filing& filing = m_filings[static_cast<std::size_t>(place)];
    filing.previous = -1;
    filing.next = -1;
    if (!fitsACell(cells))
    {
        filing.wide = true;
        m_wide.push_back(place);
        return;
    }

    filing.wide = false;
    filing.column = cells.left;
    filing.row = cells.top;
    widenReach(cells);

    Cell& cell = cellFor(keyOf(cells.left, cells.top));
    filing.next = cell.head;
    if (cell.head >= 0)
        m_filings[static_cast<std::size_t>(cell.head)].previous = place;
    cell.head = place;
}

void SpatialGrid::unfile(int place)
{
    Filing& filing = m_filings[static_cast<std::size_t>(place)];
    if (filing.wide)
    {
        auto found = std::find(m_wide.begin(), m_wide.end(), place);
        if (found != m_wide.end())
        {
            *found = m_wide.back();
            m_wide.pop_back();
        }
        return;
    }

    if (filing.previous >= 0)
        m_filings[static_cast<std::size_t>(filing.previous)].next = filing.next;
    else
        m_cells[findCell(keyOf(filing.column, filing.row))].head = filing.next;
    if (filing.next >= 0)
        m_filings[static_cast<std::size_t>(filing.next)].previous = filing.previous;
    filing.previous = -1;
    filing.next = -1;
}

std::size_t SpatialGrid::findCell(std::int64_t key) const
{
    std::size_t mask = m_cells.size() - 1;
    std::size_t at = hashKey(key, m_cells.size());
    while (m_cells[at].used && m_cells[at].key != key)
        at = (at + 1) & mask;
    return at;
}

SpatialGrid::Cell& SpatialGrid::cellFor(std::int64_t key)
{
    // Cells are kept once used: objects move only near the view, so the cells
    // ever used stay few, and the next object there finds its cell ready.
    if (static_cast<std::size_t>(m_cellCount + 1) * 2 > m_cells.size())
        rebuildCells(m_cells.empty() ? SMALLEST_CELL_TABLE : m_cells.size() * 2);

    Cell& cell = m_cells[findCell(key)];
    if (!cell.used)
    {
        cell = Cell{key, -1, true};
        ++m_cellCount;
    }
    return cell;
}

void SpatialGrid::rebuildCells(std::size_t size)
{
    std::vector<Cell> old;
    old.swap(m_cells);
    m_cells.assign(size, Cell{0, -1, false});
    for (const Cell& cell : old)
    {
        if (cell.used)
            m_cells[findCell(cell.key)] = cell;
    }
}

} // namespace ov
