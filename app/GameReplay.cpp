// Game's frames of the instant replay: the live game waits meanwhile.

#include "app/Game.hpp"

#include "hud/ReplayBar.hpp"

namespace tamrow
{
void Game::toggleInstantReplay()
{
    if (instantReplay.isOpen())
    {
        view = instantReplay.close();
        window.setView(view);
    }
    else
        instantReplay.open(view);
}

void Game::runReplayFrame()
{
    const FrameInput taken = takeInput();
    for (const InputEvent& event : taken.events)
    {
        zoomWithKeys(taken);
        answerWindow(event);
        // start_again is the live game's: inside the replay it does nothing.
        if (event.kind == InputEvent::Kind::Act && !instantReplay.act(event.action))
            showAction(event.action);
    }
    instantReplay.pan(taken.keys, view, window.getSize());
    instantReplay.advance();
    instantReplay.aim(view);
    window.setView(view);
    window.clear(ClearColour);
    scene_.drawTrailing(window, instantReplay.city(), *play.city);
    drawReplayOnTop();
    present([] {});
}

void Game::drawReplayOnTop()
{
    if (!overlaysShown)
        return;
    const sf::Vector2u size = window.getSize();
    window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, std::max(static_cast<float>(size.x), MinViewSide),
                                          std::max(static_cast<float>(size.y), MinViewSide))));
    cityMap_.draw(window, instantReplay.city(), seenByCamera(), {}, mapPlace());
    ReplayBar::draw(window, desk.lettering(), instantReplay.clock());
    window.setView(view);
}

void Game::lookThroughMap(sf::Vector2f windowPx)
{
    const sf::IntRect where = mapPlace();
    if (instantReplay.isOpen() && sf::FloatRect(where).contains(windowPx))
        instantReplay.lookAt(CityMap::toCity(windowPx, where), view);
}
} // namespace tamrow
