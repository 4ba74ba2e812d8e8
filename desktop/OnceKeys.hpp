#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <functional>
#include <set>

/// Keys that act once per press (pause, start again, full screen, screenshot,
/// H). The window's key repeat stays on, because Z and X zoom on every event,
/// repeats included; so a held key brings press after press with no release
/// between, and only the first of them may act.
class OnceKeys
{
public:
    /// True for the first press of `key` since it was last released; false for
    /// the system's repeats of a held key.
    bool press(sf::Keyboard::Key key);
    void release(sf::Keyboard::Key key);
    /// Forgets every key held: once the focus has gone, their releases go elsewhere.
    void forgetAll();
    /// Forgets the keys that `isDown` (the keyboard as the X server has it now)
    /// says are up: a window made anew never hears the releases that went to the
    /// one it replaced, so F11's own release would otherwise keep F11 held.
    void forgetReleased(const std::function<bool(sf::Keyboard::Key)>& isDown);

private:
    std::set<sf::Keyboard::Key> down_;
};
