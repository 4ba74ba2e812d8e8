#include "app/Game.hpp"

#include "app/Gamepad.hpp"
#include "app/Screenshot.hpp"

const char* const WindowTitle = "Tamrow 2014 Sorn";

namespace
{
/// No depth or stencil buffer, no antialiasing, OpenGL 2.0 asked for.
const sf::ContextSettings WindowContext(0, 0, 0, 2, 0);
} // namespace

Game::Game(City& level, PhysicsWorld& physicsWorld)
    : Play(level, physicsWorld)
    , window(sf::VideoMode(WindowWidth, WindowHeight, WindowBitsPerPixel), WindowTitle,
             sf::Style::Default, WindowContext)
    , view()
    , keyHeld(withPad([this](sf::Keyboard::Key key) { return window.hasFocus() && sf::Keyboard::isKeyPressed(key); },
                      [this] { return window.hasFocus() ? readFirstPad() : PadState(); }))
    , paint([this](sf::RenderTarget& target, const City& shown) { scene.draw(target, shown); })
{
    window.setFramerateLimit(FrameRateLimit);
    // One view pixel per window pixel; the first frame sets the centre.
    view.setSize(static_cast<float>(WindowWidth), static_cast<float>(WindowHeight));
    window.setView(view);
}

void Game::runFrame()
{
    const auto begin = [this](FramePart part) {
        if (watch)
            watch(part);
    };
    begin(FramePart::Input);
    handleInput();
    begin(FramePart::Camera);
    // The sprite still stands where the last update put it: the camera runs one step behind.
    centreOnCharacter(view, *city);
    window.setView(view);
    window.clear(ClearColour);
    begin(FramePart::Step);
    if (advance([&begin] { begin(FramePart::Update); }))
        overlays.observe(*city);
    begin(FramePart::Draw);
    paint(window, *city);
    if (overlaysShown)
        overlays.draw(window, *city, lastInput.holds(PlayKey::Q), lastInput.holds(PlayKey::E));
    drawOnTop();
    if (desk.screenshotWanted)
        saveScreenshot(window, picturesFolder());
    desk.screenshotWanted = false;
    begin(FramePart::Present);
    window.display();
    begin(FramePart::Done);
}

void Game::reopenWindow(sf::VideoMode mode, std::uint32_t style)
{
    window.create(mode, WindowTitle, style, WindowContext);
    window.setFramerateLimit(FrameRateLimit);
    fitViewToWindow(window.getSize());
}
