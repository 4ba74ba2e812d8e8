#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/System/Vector2.hpp>

namespace tamrow
{
/// What the desktop around the play keeps between frames: the lettering of the
/// status panel and the pause screen, full screen, a screenshot asked for. None of it changes the game.
struct Desk
{
    /// Loads the system's font; without one says so once on standard error.
    Desk();

    sf::Font font;
    bool lettered = false;           ///< whether `font` was found and loaded
    /// `font` when it was loaded, else null: what draws lettering is given this.
    const sf::Font* lettering() const { return lettered ? &font : nullptr; }
    bool fullScreen = false;
    sf::Vector2u windowedSize;       ///< the window's size (px) out of full screen, as last resized
    bool screenshotWanted = false;   ///< F12 pressed: this frame is saved before it is presented
    bool instantReplayWanted = false;  ///< instant_replay pressed: opened or closed once this frame is over
};
} // namespace tamrow
