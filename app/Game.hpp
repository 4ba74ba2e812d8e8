#pragma once

#include "city/City.hpp"
#include "app/Desk.hpp"
#include "app/ReplayScreen.hpp"
#include "desktop/PlayKeyReader.hpp"
#include "settings/Settings.hpp"
#include "desktop/MouseWheel.hpp"
#include "play/ControlRules.hpp"
#include "play/FrameInput.hpp"
#include "play/PhysicsWorld.hpp"
#include "play/Replay.hpp"
#include "play/Play.hpp"
#include "play/Session.hpp"
#include "hud/CityMap.hpp"
#include "hud/Overlays.hpp"
#include "life/FightHistory.hpp"
#include "scene/MotionBlend.hpp"
#include "scene/Scene.hpp"
#include "sound/Hearing.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstdint>
#include <functional>
#include <optional>

namespace tamrow
{
/// The window's size at a first start (px) and its colour depth (bits per pixel).
constexpr unsigned WindowWidth = static_cast<unsigned>(ruleOf(Setting::WindowWidth).initial);
constexpr unsigned WindowHeight = static_cast<unsigned>(ruleOf(Setting::WindowHeight).initial);
constexpr unsigned WindowBitsPerPixel = 32;
constexpr unsigned FrameRateLimit = 60;  ///< frames per second
extern const char* const WindowTitle;

/// Leaves the instant replay as instant_replay does: the key that pauses out of it.
constexpr sf::Keyboard::Key LeaveReplayKey = sf::Keyboard::Escape;

/// The held, played actions held now, one keyBit each; asked once a frame.
using KeysReader = std::function<std::uint8_t()>;

/// The parts of a frame, in the order they run.
enum class FramePart
{
    Input,    ///< events and keys
    Camera,   ///< view on the character, applied, window cleared
    Step,     ///< the world step
    Update,   ///< the city's turn and the prop sync
    Draw,     ///< the city (ground, props, people), the marks, and what lies over them
    Present,  ///< the window shows the frame
    Done      ///< the frame is over
};
/// Told as each part of a frame begins; for timing and checking a frame from outside.
using FrameWatcher = std::function<void(FramePart)>;
/// Draws the city into a target already cleared and viewed.
using CityPainter = std::function<void(sf::RenderTarget&, const City&)>;

/// The window, the camera and what is drawn over the city, around the play
/// that moves the game. Refers to the city and the physics world it is given;
/// they must outlive it. Never copied or moved.
class Game
{
public:
    /// Opens the window as `start` says (full screen or its size, the marks)
    /// and sets up the camera. The city must be fully built.
    Game(City& level, PhysicsWorld& physicsWorld, const Settings& start = Settings());
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// One frame, in FramePart's order: input, camera on the character, world
    /// step, city update and prop sync, the city and what lies over it drawn
    /// into the window, presented (which waits to hold the window's frame-rate limit).
    /// While the instant replay is open, a frame of it instead: the live game
    /// waits, unplayed, and hears nothing of the keys.
    void runFrame();
    /// Whether the last frame played the live game: false for a frame of the
    /// instant replay, which the program neither records nor checks.
    bool playedLive() const { return liveFrame_; }
    /// The input part of a frame alone: empties the event queue (close, resize,
    /// zoom), reads the keys held once, then plays what it took (or what
    /// `replaying` gives instead): the events in order, then, if the speed
    /// gives the frame a step, walking and recruiting for the first. What was
    /// played is left in `lastInput`.
    void handleInput();
    /// What start_again plays: Play::startAgain, the scene, the overlays and
    /// the history forget the old city, and the zoom is x1 again, as a fresh start shows it.
    void startAgain();
    /// From the next frame on, the window shows the recorded game `file`, with
    /// the instant replay's controls over the whole of it, until it closes.
    /// The live game waits unplayed.
    void showFile(const Replay& file);
    /// The settings as the player has left them now.
    Settings settings() const;
    /// The fight since the start or the last start_again, a sample a second of world time.
    const FightHistory& history() const { return history_; }
    /// What the keyboard prints on each action's keys now.
    KeyNames keyNames() const;
    /// One line for each of the settings' [keys] lines that could not be
    /// followed at start: "LINE: what is wrong; ACTION keeps KEYS".
    const std::vector<std::string>& keyProblems() const { return keyProblems_; }

    // What stays open, and for whom (the program, the benchmark, the tests):
    // - play: the game the window plays (city, world, pause, walking, the
    //   session start_again builds afresh); the program hands in the session and reads
    //   the city for its recording, tests read and set it. Its start_again goes through
    //   startAgain here, so that what is drawn forgets the old city too.
    // - window, view: the window and the camera's view, applied in each frame;
    //   looked at from outside, sized and unthrottled by tests and the benchmark.
    // - overlaysShown: toggle_marks' state, the marks, the map, the pointer and the panel; tests set it.
    // - mapShown: toggle_map's state, the city map within the overlays.
    // - findersShown: whether the map and the pointer are drawn at all; the
    //   benchmark times the frame without them.
    // - helpFramesLeft: frames the help card still shows; the program starts
    //   it at HelpCardFrames until a card has gone once (help_seen), any key
    //   press or pad button ends it.
    // - desk: lettering, full screen, a screenshot asked for.
    // - lastInput: what the last frame played, for the program's recording.
    // - readKeys: the held actions, asked once a frame; the game's own reads the
    //   keyboard and the first pad, none while the window lacks the focus. Tests
    //   and the benchmark hand in their own keys here.
    // - replaying: unset, a frame plays what it took; tests that script the
    //   live game give their frame instead, from what was taken.
    // - paint: draws the city; the scene's few draws, or the benchmark's plain way.
    // - watch: unset, or told as each part of every frame begins, for timing and checking.
    // - instantReplay: the live game's last 30 s again (instant_replay opens and
    //   closes it between frames), or a file's game after showFile; tests and
    //   the benchmark jump through it.
    // - hearing: unset, the game is silent and touches no audio at all; the
    //   program and the benchmark set it.
    Play play;
    sf::RenderWindow window;
    sf::View view;
    bool overlaysShown;
    bool mapShown;
    bool findersShown = true;
    std::int32_t helpFramesLeft = 0;
    Desk desk;
    FrameInput lastInput;
    KeysReader readKeys;
    std::function<FrameInput(const FrameInput& taken)> replaying;
    CityPainter paint;
    FrameWatcher watch;
    std::optional<Hearing> hearing;
    ReplayScreen instantReplay;

private:
    /// The live game's frame, in FramePart's order.
    void runLiveFrame();
    /// A frame of the instant replay (GameReplay.cpp): the window answers its
    /// events, the replay takes its own presses, the camera pans, the shown
    /// moment plays on at the replay's speed, drawn with the replay's bar.
    void runReplayFrame();
    /// instant_replay: opens the replay with the live camera kept, or closes it
    /// and puts the live camera back as it was.
    void toggleInstantReplay();
    /// What the replay's frame brought to the ear, `stepped` steps on from the
    /// last; a jump stops what sounds and is heard from where it lands.
    void hearReplay(std::int32_t stepped);
    /// The city map, the replay's bar over the drawn replay, one pixel per window pixel.
    void drawReplayOnTop();
    /// The window's events of a frame and its keys, read once after them.
    FrameInput takeInput();
    /// The zoom keys held in `input`, looked at once per event of any kind, not per frame.
    void zoomWithKeys(const FrameInput& input);
    /// What `event` does to the window alone: close, the wheel's zoom, a resize.
    void answerWindow(const InputEvent& event);
    /// Saves a screenshot if one was asked for, tells `presenting`, shows the frame.
    void present(const std::function<void()>& presenting);
    /// Inside the replay, a click at `windowPx` on the city map puts the
    /// camera there, and one on the bar's track jumps to its moment.
    void clickInReplay(sf::Vector2f windowPx);
    /// The part of the city the camera shows (px).
    sf::FloatRect seenByCamera() const;
    /// Where the city map goes now (window px); empty when it is not shown.
    sf::IntRect mapPlace() const;
    /// Plays one frame's events on the window and the game: close, zoom, resize,
    /// the overlays and start_again here, pause and the speed in play.
    void playInput(const FrameInput& input);
    /// Walking and recruiting for one step from `input`'s keys, and the grid's answer.
    void steerOnce(const FrameInput& input);
    /// What one window event is to the play; the focus as the window's events
    /// tell it. The actions only the desktop sees act here, at once.
    InputEvent readEvent(const sf::Event& event);
    /// What a played action once per press does to the window: toggle_marks,
    /// toggle_map, zoom_back. The game's own (pause, start_again) are play's.
    void showAction(Action action);
    /// What an action only the desktop sees does: full screen, a screenshot, the sound.
    void actOnDesktop(Action action);
    /// What a resize does: one view pixel per window pixel for a window of
    /// `windowSize` px (each side at least MinViewSide), applied to the window.
    void fitViewToWindow(sf::Vector2u windowSize);
    /// Zooms the view by `factor`, stopping at ZoomLimit either way.
    void zoomView(float factor);
    /// zoom_back and start_again: one view pixel per window pixel again.
    void zoomBack();
    /// The map and the pointer over the drawn city, with a view of one pixel
    /// per window pixel applied.
    void drawFinders();
    /// full_screen: between the window and full screen at the desktop's resolution,
    /// one view pixel per screen pixel, the camera still on the character.
    void toggleFullScreen();
    /// One view pixel per window pixel from (0, 0): what is drawn over the city is drawn with it.
    sf::View windowPixels() const;
    /// The map, the pointer, the status panel, the help card and the pause
    /// screen over the drawn city, with a view of one pixel per window pixel;
    /// the camera's view is applied again after.
    void drawOnTop();
    /// The speed as the status panel shows it, empty at x1.
    std::string speedText() const;
    /// Leaves the help card `framesLeft` more frames, none below 0; a card that
    /// goes is remembered as seen.
    void keepHelpFor(std::int32_t framesLeft);
    /// Opens the window anew in `mode` and `style`, frame rate and view as at
    /// start; the focus asked afresh.
    void reopenWindow(sf::VideoMode mode, std::uint32_t style);

    /// Whether the window has the keyboard focus: asked when the window opens,
    /// then followed through its GainedFocus and LostFocus events.
    bool focused_ = false;
    bool helpGone_ = false;     ///< a help card was shown and has gone: kept as help_seen
    Settings started_;          ///< what the game started with, for what it does not keep itself
    PlayKeyReader keys_;        ///< the game's own readKeys, and what each key press is
    std::vector<std::string> keyProblems_;  ///< the [keys] lines not followed at start
    Scene scene_;               ///< draws the city, a few draws for what is in view
    CityChanges changes_;       ///< what each frame changed in the city, for the marks and the sounds
    Overlays overlays_;         ///< what lets the player read the fight, drawn over the city
    CityMap cityMap_;           ///< the whole city in small
    bool liveFrame_ = true;     ///< whether the last frame played the live game
    MouseWheel wheel_;          ///< the mouse wheel's zoom, read from the window's events
    std::int32_t stepsThisFrame_ = 0;          ///< world steps the speed gives the frame being played
    std::size_t speedDrawn_ = GameSpeed::Normal;  ///< the speed's index the last frame was drawn at
    FightHistory history_;      ///< fed every world step, plotted on the pause screen
    CityChanges replayChanges_;  ///< what each frame of the replay changed, for its sounds
    bool replayHeard_ = false;   ///< the replay was heard since it opened
    std::size_t heardAt_ = 0;    ///< the replay's moment last heard
    sf::Vector2u sizeAtReplay_;  ///< px, the window's size when the instant replay opened
    std::size_t sceneRestarts_ = 0;  ///< the F5s before the file's moment the scene has indexed the props of
    MotionBlend blend_;         ///< where slow motion draws the people between two steps
    sf::Vector2f cameraFrom_;   ///< px, the camera's centre at the step before the last
    sf::Vector2f cameraTo_;     ///< px, the camera's centre at the last step
};
} // namespace tamrow
