#pragma once

#include "app/ControlRules.hpp"
#include "app/Desk.hpp"
#include "app/Overlays.hpp"
#include "app/PhysicsWorld.hpp"
#include "app/Scene.hpp"
#include "app/Session.hpp"
#include "app/SightEvents.hpp"
#include "city/City.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>
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

    /// What an event does beyond the play: a key press of P, Escape, F5, F11,
    /// F12 or H (or the pad's Start) acts once; the system's repeats of a held
    /// key and presses while the window lacks the focus do nothing.
    void answerOnce(const sf::Event& event);
    /// P, Escape, Start: while paused nothing steps or updates and the keys
    /// neither walk nor recruit; the window still closes, resizes and zooms.
    void togglePause();
    /// F5: a fresh world and city from `session`, the same game as a fresh start
    /// of the program, unpaused; does nothing without a session.
    void startAgain();
    /// F11: between the window and full screen at the desktop's resolution,
    /// one view pixel per screen pixel, the camera still on the character.
    void toggleFullScreen();

    sf::RenderWindow window;
    sf::View view;
    City* city;               ///< not owned
    PhysicsWorld* physics;    ///< not owned
    std::int32_t moveX = 0;   ///< character's horizontal speed (m/s): 0 or 11..20 either way
    std::int32_t moveY = 0;   ///< character's vertical speed (m/s), positive down the screen
    /// The keyboard; tests put their own keys here. The game's own reader sees
    /// no key held while the window lacks the focus: the keyboard then belongs to
    /// whatever the player is typing into, and must not walk or recruit. It also
    /// sees the keys the first pad stands in for (withPad).
    KeyReader keyHeld;
    Scene scene;              ///< draws the city, a few draws for what is in view
    /// How runFrame draws the city; `scene` unless a yardstick puts its own here.
    CityPainter paint;
    /// Told of each part of every frame; nobody by default.
    FrameWatcher watch;
    bool overlaysShown = true;  ///< H hides and shows the status panel and the overlays
    Overlays overlays;          ///< what lets the player read the fight, drawn over the city
    SightEvents sightEvents;    ///< H and the mouse wheel, read from the window's events
    bool paused = false;        ///< see togglePause
    Session* session = nullptr; ///< what F5 builds afresh; not owned
    Desk desk;                  ///< lettering, once-acting keys, full screen, screenshot

private:
    /// Zooms the view by `factor`, stopping at ZoomLimit either way.
    void zoomView(float factor);
    void applyWalkingVelocity();
    void recruit(Faction side, TextureId image);
    /// The status panel and the pause screen over the drawn city, with a view
    /// of one pixel per window pixel; the camera's view is applied again after.
    void drawOnTop();
    /// Opens the window anew in `mode` and `style`, frame rate and view as at start.
    void reopenWindow(sf::VideoMode mode, std::uint32_t style);
};
