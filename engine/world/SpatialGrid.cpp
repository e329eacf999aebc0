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

// The grid column (or row) of a coordinate. Division and floor never
// decrease, so a point inside a box falls in a cell of the box's range.
bool cellOf(float coordinate, double& cell)
{
    cell = std::floor(static_cast<double>(coordinate) / static_cast<double>(GRID_CELL_SIZE));
    return cell >= -FARTHEST_CELL && cell <= FARTHEST_CELL;
}

} // namespace

bool SpatialGrid::CellRange::operator==(const CellRange& other) const
{
    if (wide || other.wide)
        return wide == other.wide;
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

SpatialGrid::SpatialGrid()
    : m_cells(), m_filings(), m_wide(), m_nextOrder(0)
{
}

void SpatialGrid::insert(Object* object)
{
    if (!object || contains(object))
        return;

    Filing filing{m_nextOrder++, filedCellsOf(object)};
    addToCells(Entry{filing.order, object}, filing.cells);
    m_filings.emplace(object, filing);
}

void SpatialGrid::remove(const Object* object)
{
    auto found = m_filings.find(object);
    if (found == m_filings.end())
        return;
    removeFromCells(object, found->second.cells);
    m_filings.erase(found);
}

void SpatialGrid::update(Object* object)
{
    auto found = m_filings.find(object);
    if (found == m_filings.end())
        return;

    CellRange cells = filedCellsOf(object);
    Filing& filing = found->second;
    if (cells == filing.cells)
        return;

    removeFromCells(object, filing.cells);
    // The entry keeps the object's filing number: moving does not change its order.
    addToCells(Entry{filing.order, object}, cells);
    filing.cells = cells;
}

void SpatialGrid::clear()
{
    m_cells.clear();
    m_filings.clear();
    m_wide.clear();
}

bool SpatialGrid::contains(const Object* object) const
{
    return m_filings.count(object) > 0;
}

int SpatialGrid::getCount() const
{
    return static_cast<int>(m_filings.size());
}

bool SpatialGrid::findNear(const Box& area, std::vector<Object*>& found) const
{
    CellRange cells = cellsOf(area);
    if (cells.wide)
        return false;
    double columns = static_cast<double>(cells.right) - cells.left + 1.0;
    double rows = static_cast<double>(cells.bottom) - cells.top + 1.0;
    // Looking into a cell costs about as much as testing a few objects.
    if (columns * rows > 16.0 + static_cast<double>(m_filings.size()) * 0.25)
        return false;

    std::vector<Entry> near(m_wide);
    for (int row = cells.top; row <= cells.bottom; ++row)
    {
        for (int column = cells.left; column <= cells.right; ++column)
        {
            auto cell = m_cells.find(keyOf(column, row));
            if (cell != m_cells.end())
                near.insert(near.end(), cell->second.begin(), cell->second.end());
        }
    }

    // An object covering several of the cells was met once in each.
    std::sort(near.begin(), near.end(),
              [](const Entry& a, const Entry& b) { return a.order < b.order; });
    std::uint64_t previous = 0;
    bool first = true;
    for (const Entry& entry : near)
    {
        if (!first && entry.order == previous)
            continue;
        found.push_back(entry.object);
        previous = entry.order;
        first = false;
    }
    return true;
}

SpatialGrid::CellRange SpatialGrid::cellsOf(const Box& box)
{
    CellRange cells{0, 0, 0, 0, true};

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
                      static_cast<int>(bottom), false};
    return cells;
}

SpatialGrid::CellRange SpatialGrid::filedCellsOf(const Object* object)
{
    CellRange cells = cellsOf(getWorldBox(object));
    double columns = static_cast<double>(cells.right) - cells.left + 1.0;
    double rows = static_cast<double>(cells.bottom) - cells.top + 1.0;
    if (columns * rows > GRID_MAX_CELLS_PER_OBJECT)
        cells.wide = true;
    return cells;
}

std::int64_t SpatialGrid::keyOf(int column, int row)
{
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32)
        | static_cast<std::uint32_t>(row));
}

void SpatialGrid::addToCells(const Entry& entry, const CellRange& cells)
{
    if (cells.wide)
    {
        m_wide.push_back(entry);
        return;
    }
    for (int row = cells.top; row <= cells.bottom; ++row)
    {
        for (int column = cells.left; column <= cells.right; ++column)
            m_cells[keyOf(column, row)].push_back(entry);
    }
}

void SpatialGrid::removeFromCells(const Object* object, const CellRange& cells)
{
    auto takeOut = [object](std::vector<Entry>& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i)
        {
            if (entries[i].object == object)
            {
                // Order within a cell means nothing: searches sort by filing number.
                entries[i] = entries.back();
                entries.pop_back();
                return;
            }
        }
    };

    if (cells.wide)
    {
        takeOut(m_wide);
        return;
    }
    for (int row = cells.top; row <= cells.bottom; ++row)
    {
        for (int column = cells.left; column <= cells.right; ++column)
        {
            auto cell = m_cells.find(keyOf(column, row));
            if (cell == m_cells.end())
                continue;
            takeOut(cell->second);
            if (cell->second.empty())
                m_cells.erase(cell);
        }
    }
}

} // namespace ov
