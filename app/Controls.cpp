#include "app/Game.hpp"

#include <SFML/Window/Event.hpp>

#include <array>

namespace
{
/// The keyboard's key for each PlayKey, in PlayKey order.
constexpr std::array<sf::Keyboard::Key, PlayKeyCount> PlayKeyCodes = {
    sf::Keyboard::W, sf::Keyboard::A, sf::Keyboard::S, sf::Keyboard::D,
    sf::Keyboard::Q, sf::Keyboard::E, sf::Keyboard::Z, sf::Keyboard::X};
} // namespace

void Game::handleInput()
{
    FrameInput taken;
    sf::Event event;
    while (window.pollEvent(event))
        taken.events.push_back(readEvent(event));
    // Read once, after the events: every test of a key in the frame gets the
    // same answer, which is what a recording can give back.
    taken.keys = keysHeldNow();
    lastInput = replaying ? replaying(taken) : std::move(taken);
    playInput(lastInput);
}

void Game::playInput(const FrameInput& input)
{
    for (const InputEvent& event : input.events)
    {
        if (event.kind == InputEvent::Kind::Close)
            window.close();
        obey(event);
        // Zoom keys are looked at once per event of any kind, not per frame.
        if (input.holds(PlayKey::Z))
            zoomView(ZoomOutFactor);
        if (input.holds(PlayKey::X))
            zoomView(ZoomInFactor);
        if (event.kind == InputEvent::Kind::Overlays)
            overlaysShown = !overlaysShown;
        for (std::int32_t step = 0; step < event.zoomSteps; ++step)
            zoomView(ZoomOutFactor);
        for (std::int32_t step = 0; step > event.zoomSteps; --step)
            zoomView(ZoomInFactor);
        // Back to one view pixel per window pixel, undoing any zoom.
        if (event.kind == InputEvent::Kind::Resize)
            fitViewToWindow(sf::Vector2u(event.width, event.height));
    }
    steer(input);
}

InputEvent Game::readEvent(const sf::Event& event)
{
    InputEvent taken;
    taken.kind = answerOnce(event);
    const SightRequest sight = sightEvents.read(event, window.hasFocus());
    if (event.type == sf::Event::Closed)
        taken.kind = InputEvent::Kind::Close;
    else if (event.type == sf::Event::Resized)
    {
        taken.kind = InputEvent::Kind::Resize;
        taken.width = event.size.width;
        taken.height = event.size.height;
    }
    else if (sight.toggleOverlays)
        taken.kind = InputEvent::Kind::Overlays;
    else if (sight.zoomSteps != 0)
    {
        taken.kind = InputEvent::Kind::Zoom;
        taken.zoomSteps = sight.zoomSteps;
    }
    return taken;
}

std::uint8_t Game::keysHeldNow() const
{
    std::uint8_t keys = 0;
    for (std::uint8_t k = 0; k < PlayKeyCount; ++k)
    {
        if (keyHeld(PlayKeyCodes[k]))
            keys = static_cast<std::uint8_t>(keys | keyBit(static_cast<PlayKey>(k)));
    }
    return keys;
}

void Game::fitViewToWindow(sf::Vector2u windowSize)
{
    view.setSize(unzoomedViewSize(windowSize));
    window.setView(view);
}

void Game::zoomView(float factor)
{
    // The bounds follow the window as the last resize event left it.
    view.setSize(zoomedViewSize(view.getSize(), unzoomedViewSize(window.getSize()), factor));
}
