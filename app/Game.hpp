#pragma once

#include "app/ControlRules.hpp"
#include "app/Overlays.hpp"
#include "app/PhysicsWorld.hpp"
#include "app/Scene.hpp"
#include "app/SightEvents.hpp"
#include "city/City.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstdint>
#include <functional>

/// The window's size at start (px) and its colour depth (bits per pixel).
constexpr unsigned WindowWidth = 1600;
constexpr unsigned WindowHeight = 900;
constexpr unsigned WindowBitsPerPixel = 32;
constexpr unsigned FrameRateLimit = 60;  ///< frames per second
extern const char* const WindowTitle;

/// Tells whether a key is held right now.
using KeyReader = std::function<bool(sf::Keyboard::Key)>;

/// The parts of a frame, in the order they run.
enum class FramePart
{
    Input,    ///< events and keys
    Camera,   ///< view on the character, applied, window cleared
    Step,     ///< the world step
    Update,   ///< the city's turn and the prop sync
    Draw,     ///< map, props, actors
    Present,  ///< the window shows the frame
    Done      ///< the frame is over
};
/// Told as each part of a frame begins; for timing and checking a frame from outside.
using FrameWatcher = std::function<void(FramePart)>;
/// Draws the city into a target already cleared and viewed.
using CityPainter = std::function<void(sf::RenderTarget&, const City&)>;

/// The window, the camera and the player's walking speed. Refers to the city and
/// the physics world it is given; they must outlive it. Never copied or moved.
class Game
{
public:
    /// Opens the window and sets up the camera. The city must be fully built.
    Game(City& level, PhysicsWorld& physicsWorld);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// Empties the event queue (close, resize, zoom), then walks the player's
    /// character and recruits the people next to it from the keys held.
    void handleInput();

    /// What a resize does: one view pixel per window pixel for a window of
    /// `windowSize` px (each side at least MinViewSide), applied to the window.
    void fitViewToWindow(sf::Vector2u windowSize);

    /// One frame, the only place its order is written: input, camera on the
    /// character, world step, city update and prop sync, the city drawn into
    /// the window, presented (which waits to hold the window's frame-rate limit).
    void runFrame();

    /// Q: people in the character's cell or the eight around it become hooligans.
    void recruitHooligans();
    /// E: people in the character's cell or the eight around it become police.
    void recruitPolice();

    sf::RenderWindow window;
    sf::View view;
    City* city;               ///< not owned
    PhysicsWorld* physics;    ///< not owned
    std::int32_t moveX = 0;   ///< character's horizontal speed (m/s): 0 or 11..20 either way
    std::int32_t moveY = 0;   ///< character's vertical speed (m/s), positive down the screen
    /// The keyboard; tests put their own keys here. The game's own reader sees
    /// no key held while the window lacks the focus: the keyboard then belongs to
    /// whatever the player is typing into, and must not walk or recruit.
    KeyReader keyHeld;
    Scene scene;              ///< draws the city, a few draws for what is in view
    /// How runFrame draws the city; `scene` unless a yardstick puts its own here.
    CityPainter paint;
    /// Told of each part of every frame; nobody by default.
    FrameWatcher watch;
    bool overlaysShown = true;  ///< H hides and shows the status panel and the overlays
    Overlays overlays;          ///< what lets the player read the fight, drawn over the city
    SightEvents sightEvents;    ///< H and the mouse wheel, read from the window's events

private:
    /// Zooms the view by `factor`, stopping at ZoomLimit either way.
    void zoomView(float factor);
    void applyWalkingVelocity();
    void recruit(Faction side, TextureId image);
};
