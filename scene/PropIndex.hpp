#pragma once

#include "city/Prop.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tamrow
{
/// Where the props' sprites stand, in square cells of the world, so that the
/// props in view are found without visiting the rest. Props never move once
/// placed, so each is indexed once, when it first stands on its body.
///
/// Each prop also gets a layer, fixed when it is indexed: never below the layer
/// of an earlier prop it touches, and above it where their textures differ.
/// Drawing by layer, then texture, then index therefore puts every prop over
/// every earlier one it touches, as drawing in index order does, while the
/// props of one texture in one layer can go out as one draw.
class PropIndex
{
public:
    /// Indexes the props added since the last call. Their sprites must stand on
    /// their bodies (City::syncProps). Cost: the props already in the cells the
    /// new ones cover.
    void catchUp(const std::vector<Prop>& props);

    /// Replaces `found` by the indices of the props whose sprite meets `area`
    /// (px), in increasing order. Props that show nothing (no image, zero scale)
    /// are never found. Cost: the cells `area` covers and the props found.
    void find(const sf::FloatRect& area, std::vector<std::uint32_t>& found) const;

    /// The layer of indexed prop `prop` (see the class comment).
    std::uint32_t layer(std::uint32_t prop) const { return entries_[prop].layer; }
    /// The texture of indexed prop `prop`.
    const sf::Texture* texture(std::uint32_t prop) const { return entries_[prop].texture; }

private:
    struct Entry
    {
        sf::FloatRect bounds;     ///< the sprite's bounds in the world (px); empty if it shows nothing
        const sf::Texture* texture = nullptr;
        std::uint32_t layer = 0;
    };
    struct CellRange
    {
        std::int32_t left, top, right, bottom;  ///< inclusive cell coordinates
    };

    static CellRange cellsOf(const sf::FloatRect& area);
    /// Calls `visit(prop, column, row)` for every prop listed in every cell of
    /// `range`, cell by cell; a prop over several cells comes once per cell.
    template <class Visit>
    void forEachIndexed(const CellRange& range, Visit visit) const;
    static std::int64_t cellKey(std::int32_t column, std::int32_t row);
    /// The layer a prop with `entry`'s bounds and texture gets over the props indexed so far.
    std::uint32_t layerOver(const Entry& entry) const;

    std::vector<Entry> entries_;  ///< one per prop indexed, in prop order
    std::unordered_map<std::int64_t, std::vector<std::uint32_t>> cells_;  ///< props per cell, in increasing order
};
} // namespace tamrow
