#include "scene/PropIndex.hpp"

#include <algorithm>
#include <cmath>

namespace tamrow
{
namespace
{
/// Side of a cell (px): a corpse (20 x 12 px) nearly always lies in one, and a
/// view of 1600 x 900 px covers about a hundred.
constexpr float CellSide = 128.0f;
/// How close two sprites may come (px) and still be taken as touching. Drawn
/// with the view at most ZoomLimit times out, a gap of 1 px is 1/8 of a window
/// pixel: far more than the rasteriser's rounding, so sprites farther apart
/// never share a pixel and may be drawn in either order.
constexpr float TouchMargin = 1.0f;

/// The column or row of the index's cells holding `coordinate` (px), rounded
/// down: cell 0 runs from 0 to CellSide px, cell -1 just below it.
std::int32_t indexCellOf(float coordinate)
{
    return static_cast<std::int32_t>(std::floor(coordinate / CellSide));
}

sf::FloatRect grown(const sf::FloatRect& area, float margin)
{
    return sf::FloatRect(area.left - margin, area.top - margin, area.width + 2.0f * margin,
                         area.height + 2.0f * margin);
}
} // namespace

void PropIndex::catchUp(const std::vector<Prop>& props)
{
    for (std::size_t i = entries_.size(); i < props.size(); ++i)
    {
        const sf::Sprite& sprite = props[i].sprite;
        Entry entry;
        entry.bounds = sprite.getGlobalBounds();
        entry.texture = sprite.getTexture();
        const bool shows = entry.bounds.width > 0.0f && entry.bounds.height > 0.0f && entry.texture != nullptr;
        if (!shows)
            entry.bounds = sf::FloatRect();
        else
            entry.layer = layerOver(entry);
        entries_.push_back(entry);
        if (!shows)
            continue;
        const CellRange range = cellsOf(entry.bounds);
        for (std::int32_t row = range.top; row <= range.bottom; ++row)
        {
            for (std::int32_t column = range.left; column <= range.right; ++column)
                cells_[cellKey(column, row)].push_back(static_cast<std::uint32_t>(i));
        }
    }
}

void PropIndex::find(const sf::FloatRect& area, std::vector<std::uint32_t>& found) const
{
    found.clear();
    const CellRange range = cellsOf(area);
    forEachIndexed(range, [&](std::uint32_t prop, std::int32_t column, std::int32_t row) {
        const sf::FloatRect& bounds = entries_[prop].bounds;
        // A prop over several cells is taken from the first of them in the area only.
        const bool firstCell = column == std::max(indexCellOf(bounds.left), range.left) &&
            row == std::max(indexCellOf(bounds.top), range.top);
        if (firstCell && bounds.intersects(area))
            found.push_back(prop);
    });
    std::sort(found.begin(), found.end());
}

template <class Visit>
void PropIndex::forEachIndexed(const CellRange& range, Visit visit) const
{
    for (std::int32_t row = range.top; row <= range.bottom; ++row)
    {
        for (std::int32_t column = range.left; column <= range.right; ++column)
        {
            const auto cell = cells_.find(cellKey(column, row));
            if (cell == cells_.end())
                continue;
            for (const std::uint32_t prop : cell->second)
                visit(prop, column, row);
        }
    }
}

PropIndex::CellRange PropIndex::cellsOf(const sf::FloatRect& area)
{
    return CellRange{indexCellOf(area.left), indexCellOf(area.top), indexCellOf(area.left + area.width),
                     indexCellOf(area.top + area.height)};
}

std::int64_t PropIndex::cellKey(std::int32_t column, std::int32_t row)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32 |
                                     static_cast<std::uint32_t>(row));
}

std::uint32_t PropIndex::layerOver(const Entry& entry) const
{
    const sf::FloatRect reach = grown(entry.bounds, TouchMargin);
    std::uint32_t layer = 0;
    forEachIndexed(cellsOf(reach), [&](std::uint32_t earlier, std::int32_t, std::int32_t) {
        const Entry& under = entries_[earlier];
        if (reach.intersects(under.bounds))
            layer = std::max(layer, under.layer + (under.texture == entry.texture ? 0u : 1u));
    });
    return layer;
}
} // namespace tamrow
