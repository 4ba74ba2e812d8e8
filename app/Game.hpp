#pragma once

#include "city/City.hpp"
#include "desk/Desk.hpp"
#include "desk/SightEvents.hpp"
#include "play/ControlRules.hpp"
#include "play/FrameInput.hpp"
#include "play/PhysicsWorld.hpp"
#include "play/Play.hpp"
#include "play/Session.hpp"
#include "scene/Overlays.hpp"
#include "scene/Scene.hpp"

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

/// The window, the camera and the play around them. Refers to the city and
/// the physics world it is given; they must outlive it. Never copied or moved.
class Game : public Play
{
public:
    /// Opens the window and sets up the camera. The city must be fully built.
    Game(City& level, PhysicsWorld& physicsWorld);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// Empties the event queue (close, resize, zoom), reads the keys held once,
    /// then plays what it took (or what `replaying` gives instead): the events
    /// in order, then walking and recruiting. What was played is left in `lastInput`.
    void handleInput();
    /// Plays one frame's input on the window and the game: close, zoom, resize
    /// and the overlays here, pause, start again, walking and recruiting in Play.
    void playInput(const FrameInput& input);

    /// What a resize does: one view pixel per window pixel for a window of
    /// `windowSize` px (each side at least MinViewSide), applied to the window.
    void fitViewToWindow(sf::Vector2u windowSize);

    /// One frame, the only place its order is written: input, camera on the
    /// character, world step, city update and prop sync, the city drawn into
    /// the window, presented (which waits to hold the window's frame-rate limit).
    void runFrame();

    /// What a key press of P, Escape, F5, F11 or F12 (or the pad's Start) asks,
    /// once; the system's repeats of a held key and presses while the window
    /// lacks the focus ask nothing. F11 and F12, which only the desktop sees,
    /// act here; pause and start again are returned, to be played.
    InputEvent::Kind answerOnce(const sf::Event& event);
    /// Play::startAgain, and the scene forgets the old city's props.
    void startAgain() override;
    /// F11: between the window and full screen at the desktop's resolution,
    /// one view pixel per screen pixel, the camera still on the character.
    void toggleFullScreen();

    sf::RenderWindow window;
    sf::View view;
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
    Desk desk;                  ///< lettering, once-acting keys, full screen, screenshot
    /// Unset, a frame plays what it took from the window and the keyboard. A
    /// replay puts here what gives its recorded frame instead, from what was taken.
    std::function<FrameInput(const FrameInput& taken)> replaying;
    FrameInput lastInput;       ///< what the last frame played, for a recording

private:
    /// What one window event is to the play, the once-acting keys answered.
    InputEvent readEvent(const sf::Event& event);
    /// The keys of PlayKey held now, as keyHeld sees them.
    std::uint8_t keysHeldNow() const;
    /// Zooms the view by `factor`, stopping at ZoomLimit either way.
    void zoomView(float factor);
    /// The status panel and the pause screen over the drawn city, with a view
    /// of one pixel per window pixel; the camera's view is applied again after.
    void drawOnTop();
    /// Opens the window anew in `mode` and `style`, frame rate and view as at start.
    void reopenWindow(sf::VideoMode mode, std::uint32_t style);
};
