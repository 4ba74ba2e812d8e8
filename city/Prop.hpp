#pragma once

#include <box2d/box2d.h>
#include <SFML/Graphics/Sprite.hpp>

namespace tamrow
{
/// One static thing of the city: a wall, a corpse, or the map picture.
/// The sprite refers to a catalogue texture; `body` is owned by the b2World
/// (null for the map, which has no body and is never synchronised).
/// A fresh bodyDef has Box2D's defaults, which make a static body.
struct Prop
{
    b2Body* body = nullptr;  ///< not owned; set once right after the prop is added
    sf::Sprite sprite;       ///< placed on the body origin once, by the prop sync of its first frame
    b2BodyDef bodyDef;       ///< what `body` was made from; read only then
};
} // namespace tamrow
