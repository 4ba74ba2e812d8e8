#pragma once

#include "city/City.hpp"
#include "play/PhysicsWorld.hpp"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace tamrow
{
/// One game's physics world and city, built afresh on demand while the window
/// stays open. The world is built before the city and torn down after it: it
/// outlives every body. Never copied or moved.
class Session
{
public:
    /// Builds the world and the city from the images of `imageFolder` (none: no images).
    explicit Session(std::optional<std::string> imageFolder);
    /// Builds them dressed in `borrowed`, another city's catalogue that must
    /// outlive the session (see City): no image is loaded, on any thread.
    explicit Session(const TextureBank& borrowed);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// Throws the game away and builds a new one, the same game as a fresh start
    /// of the program: the new city's random sequence starts from the beginning.
    /// Every reference to the old city and world is left dangling.
    void startAgain();
    /// How many times startAgain has built the game afresh (F5), 0 for the first game.
    std::size_t restarts() const { return restarts_; }

    PhysicsWorld& physics() { return *physics_; }
    City& city() { return *city_; }

private:
    void build();

    std::optional<std::string> imageFolder_;
    const TextureBank* borrowed_ = nullptr;  ///< not owned; with it, imageFolder_ is unused
    std::unique_ptr<PhysicsWorld> physics_;
    std::unique_ptr<City> city_;  ///< after physics_: destroyed first
    std::size_t restarts_ = 0;
};
} // namespace tamrow
