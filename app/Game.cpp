#include "app/Game.hpp"

#include "desktop/Gamepad.hpp"
#include "hud/HelpCard.hpp"
#include "hud/HistoryPlot.hpp"
#include "hud/PauseScreen.hpp"
#include "files/Screenshot.hpp"
#include "hud/StatusPanel.hpp"
#include "hud/PeoplePointer.hpp"

#include <SFML/Window/Event.hpp>

#include <algorithm>

namespace tamrow
{
const char* const WindowTitle = "Tamrow 2014 Sorn";

namespace
{
/// No depth or stencil buffer, no antialiasing, OpenGL 2.0 asked for.
const sf::ContextSettings WindowContext(0, 0, 0, 2, 0);

/// The window's size out of full screen (px), as `settings` keep it.
sf::Vector2u windowedSizeOf(const Settings& settings)
{
    return sf::Vector2u(static_cast<unsigned>(settings.get(Setting::WindowWidth)),
                        static_cast<unsigned>(settings.get(Setting::WindowHeight)));
}

/// The screen mode the window opens in: the desktop's in full screen, else the window's size.
sf::VideoMode openingMode(const Settings& start)
{
    const sf::Vector2u size = windowedSizeOf(start);
    return start.get(Setting::FullScreen) != 0 ? sf::VideoMode::getDesktopMode()
                                                : sf::VideoMode(size.x, size.y, WindowBitsPerPixel);
}
} // namespace

Game::Game(City& level, PhysicsWorld& physicsWorld, const Settings& start)
    : play(level, physicsWorld)
    , window(openingMode(start), WindowTitle,
             start.get(Setting::FullScreen) != 0 ? sf::Style::Fullscreen : sf::Style::Default, WindowContext)
    , view()
    , overlaysShown(start.get(Setting::MarksShown) != 0)
    , mapShown(start.get(Setting::MapShown) != 0)
    , readKeys([this] { return keys_.read(focused_); })
    , paint([this](sf::RenderTarget& target, const City& shown) { scene_.draw(target, shown); })
    , focused_(window.hasFocus())
    , started_(start)
    , keys_(start.keys())
    , keyProblems_(keys_.layout().problems())
    , cityMap_(level)
{
    desk.fullScreen = start.get(Setting::FullScreen) != 0;
    desk.windowedSize = windowedSizeOf(start);
    window.setFramerateLimit(FrameRateLimit);
    // One view pixel per window pixel; the first frame sets the centre.
    const sf::VideoMode mode = openingMode(start);
    view.setSize(static_cast<float>(mode.width), static_cast<float>(mode.height));
    window.setView(view);
}

KeyNames Game::keyNames() const
{
    return [this](Action action) { return keys_.layout().keysOf(action); };
}

Settings Game::settings() const
{
    // What this game does not keep (the sound, when it is silent) stays as it started.
    Settings now = started_;
    if (hearing)
    {
        now.set(Setting::Volume, hearing->level().tenths());
        now.set(Setting::Muted, hearing->level().muted() ? 1 : 0);
    }
    now.set(Setting::FullScreen, desk.fullScreen ? 1 : 0);
    now.set(Setting::WindowWidth, static_cast<int>(std::min<unsigned>(desk.windowedSize.x, LargestWindowSide)));
    now.set(Setting::WindowHeight, static_cast<int>(std::min<unsigned>(desk.windowedSize.y, LargestWindowSide)));
    now.set(Setting::MarksShown, overlaysShown ? 1 : 0);
    now.set(Setting::MapShown, mapShown ? 1 : 0);
    if (helpGone_)
        now.set(Setting::HelpSeen, 1);
    return now;
}

void Game::runFrame()
{
    liveFrame_ = !instantReplay.isOpen();
    if (liveFrame_)
        runLiveFrame();
    else
        runReplayFrame();
    // Between frames: the frame that asked for it was wholly the one it began in.
    if (desk.instantReplayWanted)
        toggleInstantReplay();
    desk.instantReplayWanted = false;
}

void Game::runLiveFrame()
{
    const auto begin = [this](FramePart part) {
        if (watch)
            watch(part);
    };
    begin(FramePart::Input);
    handleInput();
    begin(FramePart::Camera);
    // Drawn between the last two steps below x1, exactly as stepped at x1 and above.
    const float between = blend_.holds() ? play.speed.drawnBetween() : 1.0f;
    // The sprite still stands where the last update put it: the camera runs one step behind.
    if (stepsThisFrame_ > 0)
    {
        centreOnCharacter(view, *play.city);
        cameraFrom_ = blend_.holds() ? cameraTo_ : view.getCenter();
        cameraTo_ = view.getCenter();
    }
    if (blend_.holds() && !play.city->actors.empty())
        view.setCenter(between < 1.0f ? cameraFrom_ + (cameraTo_ - cameraFrom_) * between : cameraTo_);
    window.setView(view);
    window.clear(ClearColour);
    // The instant replay records steps: the first takes the frame's events, and
    // a frame without a step passes them on.
    FrameInput step = lastInput;
    if (stepsThisFrame_ == 0)
        instantReplay.record(step, false);
    for (std::int32_t k = 0; k < stepsThisFrame_; ++k)
    {
        // Each step with the frame's keys; the first steered with its input.
        if (k > 0)
            steerOnce(lastInput);
        begin(FramePart::Step);
        if (play.speed.denominator() > 1)
            blend_.keep(*play.city);
        // The marks and the sounds read the fight from one look at what the step changed.
        const bool advanced = play.advance([&begin] { begin(FramePart::Update); });
        if (advanced)
        {
            changes_.look(*play.city);
            overlays_.observe(*play.city, changes_);
            history_.observe(*play.city);
        }
        instantReplay.record(step, advanced);
        step.events.clear();
        if (hearing)
            hearing->hear(*play.city, changes_, play.recruited, play.paused);
    }
    begin(FramePart::Draw);
    if (between < 1.0f)
        blend_.place(*play.city, between);
    paint(window, *play.city);
    blend_.restore(*play.city);
    if (overlaysShown)
        overlays_.draw(window, *play.city, desk.lettering(), lastInput.holds(Action::RecruitHooligans),
                       lastInput.holds(Action::RecruitPolice));
    drawOnTop();
    keepHelpFor(helpFramesLeft - 1);
    present([&begin] { begin(FramePart::Present); });
    begin(FramePart::Done);
}

void Game::reopenWindow(sf::VideoMode mode, std::uint32_t style)
{
    window.create(mode, WindowTitle, style, WindowContext);
    window.setFramerateLimit(FrameRateLimit);
    fitViewToWindow(window.getSize());
    focused_ = window.hasFocus();
    keys_.forgetReleased();
}

void Game::present(const std::function<void()>& presenting)
{
    if (desk.screenshotWanted)
        saveScreenshot(window, picturesFolder());
    desk.screenshotWanted = false;
    presenting();
    window.display();
}

FrameInput Game::takeInput()
{
    FrameInput taken;
    sf::Event event;
    while (window.pollEvent(event))
    {
        if (event.type == sf::Event::KeyPressed || event.type == sf::Event::JoystickButtonPressed)
            keepHelpFor(0);
        taken.events.push_back(readEvent(event));
    }
    // Read once, after the events: every test of a key in the frame gets the
    // same answer, which is what a recording can give back.
    taken.keys = readKeys();
    return taken;
}

void Game::handleInput()
{
    FrameInput taken = takeInput();
    lastInput = replaying ? replaying(taken) : std::move(taken);
    playInput(lastInput);
    // The speed as the frame's events left it; a change between two steps
    // leaves nothing to draw between until the next step.
    stepsThisFrame_ = play.speed.stepsThisFrame();
    if (play.speed.index() != speedDrawn_)
        blend_.forget();
    speedDrawn_ = play.speed.index();
    if (stepsThisFrame_ > 0)
        steerOnce(lastInput);
}

void Game::steerOnce(const FrameInput& input)
{
    play.steer(input);
    overlays_.answer(play.recruited);
}

void Game::playInput(const FrameInput& input)
{
    for (const InputEvent& event : input.events)
    {
        // start_again is played here, so that what is drawn forgets the old city too.
        if (event.acts(Action::StartAgain))
            startAgain();
        else
            play.obey(event);
        zoomWithKeys(input);
        if (event.kind == InputEvent::Kind::Act)
            showAction(event.action);
        // After the held keys' zoom: a resize replaces it.
        answerWindow(event);
    }
}

void Game::zoomWithKeys(const FrameInput& input)
{
    if (input.holds(Action::ZoomOut))
        zoomView(ZoomOutFactor);
    if (input.holds(Action::ZoomIn))
        zoomView(ZoomInFactor);
}

void Game::answerWindow(const InputEvent& event)
{
    if (event.kind == InputEvent::Kind::Close)
        window.close();
    for (std::int32_t step = 0; step < event.zoomSteps; ++step)
        zoomView(ZoomOutFactor);
    for (std::int32_t step = 0; step > event.zoomSteps; --step)
        zoomView(ZoomInFactor);
    // Back to one view pixel per window pixel, undoing any zoom; the size is
    // the one to come back to from full screen.
    if (event.kind == InputEvent::Kind::Resize)
        fitViewToWindow(sf::Vector2u(event.width, event.height));
    if (event.kind == InputEvent::Kind::Resize && !desk.fullScreen)
        desk.windowedSize = sf::Vector2u(event.width, event.height);
}

void Game::showAction(Action action)
{
    if (action == Action::ToggleMarks)
        overlaysShown = !overlaysShown;
    else if (action == Action::ToggleMap)
        mapShown = !mapShown;
    else if (action == Action::ZoomBack)
        zoomBack();
}

void Game::actOnDesktop(Action action)
{
    if (action == Action::FullScreen)
        toggleFullScreen();
    else if (action == Action::Screenshot)
        desk.screenshotWanted = true;
    else if (action == Action::InstantReplay)
        desk.instantReplayWanted = true;
    else if (action == Action::JumpBack || action == Action::JumpForward)
    {
        if (instantReplay.isOpen())
            instantReplay.act(action);
    }
    else if (hearing)
        hearing->press(action);
}

InputEvent Game::readEvent(const sf::Event& event)
{
    if (event.type == sf::Event::GainedFocus || event.type == sf::Event::LostFocus)
        focused_ = event.type == sf::Event::GainedFocus;
    // A window manager may hand the focus to a window made anew only after it shows;
    // with the focus gone, the keys' releases go to another window.
    if (event.type == sf::Event::GainedFocus)
        keys_.forgetReleased();
    if (event.type == sf::Event::LostFocus)
        keys_.forgetAll();
    InputEvent taken;
    // Every key's ups and downs are told, with the focus or not: the reader passes by the repeats.
    std::optional<Action> pressed;
    if (event.type == sf::Event::KeyPressed)
    {
        pressed = keys_.press(event.key.code);
        // Inside the replay its leaving key leaves, whatever it plays outside.
        if (pressed.has_value() && instantReplay.isOpen() && event.key.code == LeaveReplayKey)
            pressed = Action::InstantReplay;
    }
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left)
        clickInReplay(sf::Vector2f(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y)));
    else if (event.type == sf::Event::KeyReleased)
        keys_.release(event.key.code);
    else if (event.type == sf::Event::JoystickButtonPressed)
        pressed = padPress(event.joystickButton.button);
    if (pressed.has_value() && focused_)
    {
        const Action action = pressed.value();
        if (rowOf(action).reach == Reach::Desktop)
            actOnDesktop(action);
        else
            taken = actEvent(action);
    }
    if (event.type == sf::Event::Closed)
        taken.kind = InputEvent::Kind::Close;
    else if (event.type == sf::Event::Resized)
    {
        taken.kind = InputEvent::Kind::Resize;
        taken.width = event.size.width;
        taken.height = event.size.height;
    }
    else if (const std::int32_t steps = wheel_.zoomSteps(event); steps != 0)
    {
        taken.kind = InputEvent::Kind::Zoom;
        taken.zoomSteps = steps;
    }
    return taken;
}

void Game::fitViewToWindow(sf::Vector2u windowSize)
{
    view.setSize(unzoomedViewSize(windowSize));
    window.setView(view);
}

void Game::zoomBack()
{
    view.setSize(unzoomedViewSize(window.getSize()));
}

void Game::zoomView(float factor)
{
    // The bounds follow the window as the last resize event left it.
    view.setSize(zoomedViewSize(view.getSize(), unzoomedViewSize(window.getSize()), factor));
}

void Game::startAgain()
{
    play.startAgain();
    // The index of the old city's props would draw props that are gone, and the
    // old game's marks would flash and cross on the new city, in its people's places.
    scene_ = Scene();
    changes_ = CityChanges();
    overlays_ = Overlays();
    history_.clear();
    blend_.forget();
    if (hearing)
        hearing->startAgain();
    zoomBack();
}

void Game::toggleFullScreen()
{
    desk.fullScreen = !desk.fullScreen;
    if (desk.fullScreen)
        reopenWindow(sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    else
        reopenWindow(sf::VideoMode(desk.windowedSize.x, desk.windowedSize.y, WindowBitsPerPixel), sf::Style::Default);
}

void Game::drawFinders()
{
    const sf::IntRect where = mapPlace();
    cityMap_.draw(window, *play.city, seenByCamera(), overlays_.freshDeaths(), where);
    if (const std::optional<Pointing> pointing = PeoplePointer::aim(*play.city, seenByCamera()))
        PeoplePointer::draw(window, desk.lettering(), *pointing, where);
}

sf::FloatRect Game::seenByCamera() const
{
    return sf::FloatRect(view.getCenter() - view.getSize() / 2.0f, view.getSize());
}

sf::IntRect Game::mapPlace() const
{
    const sf::IntRect panel =
        desk.lettered ? StatusPanel::placeIn(window.getSize(), !speedText().empty()) : sf::IntRect();
    return overlaysShown && mapShown && findersShown ? CityMap::placeIn(window.getSize(), panel) : sf::IntRect();
}

std::string Game::speedText() const
{
    return play.speed.index() == GameSpeed::Normal ? std::string() : play.speed.text();
}

void Game::keepHelpFor(std::int32_t framesLeft)
{
    if (helpFramesLeft > 0 && framesLeft <= 0)
        helpGone_ = true;
    helpFramesLeft = std::max(framesLeft, 0);
}

sf::View Game::windowPixels() const
{
    return sf::View(sf::FloatRect(sf::Vector2f(), unzoomedViewSize(window.getSize())));
}

void Game::drawOnTop()
{
    const bool helpShown = helpFramesLeft > 0 && desk.lettered;
    if (!play.paused && !overlaysShown && !helpShown)
        return;
    const sf::Vector2u size = window.getSize();
    window.setView(windowPixels());
    if (overlaysShown && findersShown)
        drawFinders();
    if (overlaysShown && desk.lettered)
        StatusPanel::draw(window, desk.font, *play.city, static_cast<float>(size.x) / view.getSize().x,
                          hearing ? hearing->level().notice() : std::string(), speedText());
    if (helpShown)
        HelpCard::draw(window, desk.font, keyNames());
    if (play.paused)
    {
        const sf::FloatRect list = PauseScreen::draw(window, desk.lettering(), keyNames());
        HistoryPlot::draw(window, desk.lettering(), history_, HistoryPlot::placeIn(size, list));
    }
    window.setView(view);
}
} // namespace tamrow
