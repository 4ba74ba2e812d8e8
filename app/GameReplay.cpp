// Game's frames of the instant replay: the live game waits meanwhile.

#include "app/Game.hpp"

#include "hud/ReplayBar.hpp"

namespace tamrow
{
void Game::showFile(const Replay& file)
{
    // The live game is never played meanwhile, so its catalogue outlives every game of the file.
    const TextureBank& bank = play.city->textures;
    instantReplay.showFile(file, [&bank] { return std::make_unique<Session>(bank); });
}

void Game::toggleInstantReplay()
{
    // Leaving a file's replay leaves the program: there is no live game to go back to.
    if (instantReplay.watchesFile())
        window.close();
    else if (instantReplay.isOpen())
    {
        view = instantReplay.close();
        // The live game is heard again from where it waited.
        if (hearing)
            hearing->startAgain();
        replayHeard_ = false;
        // Resized meanwhile: as a resize in the live game does, one view pixel per window pixel.
        if (window.getSize() != sizeAtReplay_)
            view.setSize(unzoomedViewSize(window.getSize()));
        window.setView(view);
    }
    else
    {
        sizeAtReplay_ = window.getSize();
        instantReplay.open(view);
    }
}

void Game::runReplayFrame()
{
    const FrameInput taken = takeInput();
    for (const InputEvent& event : taken.events)
    {
        zoomWithKeys(taken);
        answerWindow(event);
        // Pause, the speed and the jumps are the replay's own; the marks, the map and
        // the zoom the window's as ever; start_again is the live game's: inside it does nothing.
        if (event.kind == InputEvent::Kind::Act)
        {
            instantReplay.act(event.action);
            showAction(event.action);
        }
    }
    instantReplay.pan(taken.keys, view, window.getSize());
    hearReplay(instantReplay.advance());
    instantReplay.blendIn();
    instantReplay.aim(view);
    window.setView(view);
    window.clear(ClearColour);
    if (instantReplay.watchesFile())
    {
        // A file's games are dressed in the live catalogue and drawn as the
        // live game is; its props start afresh with each F5 on the way.
        if (instantReplay.restarts() != sceneRestarts_)
            scene_ = Scene();
        sceneRestarts_ = instantReplay.restarts();
        scene_.draw(window, instantReplay.city());
    }
    else
        scene_.drawTrailing(window, instantReplay.city(), *play.city);
    instantReplay.blendOut();
    drawReplayOnTop();
    present([] {});
}

void Game::hearReplay(std::int32_t stepped)
{
    if (!hearing)
        return;
    const City& shown = instantReplay.city();
    const ReplayClock clock = instantReplay.clock();
    // A jump (or the opening) is heard from where it lands: what changed on
    // the way is not played, and what still sounds from before stops.
    if (clock.at != heardAt_ + static_cast<std::size_t>(stepped) || !replayHeard_)
    {
        hearing->startAgain();
        replayChanges_ = CityChanges();
        replayChanges_.look(shown);
        replayHeard_ = true;
    }
    else
    {
        replayChanges_.look(shown);
        hearing->hear(shown, replayChanges_, instantReplay.recruited(), clock.paused);
    }
    heardAt_ = clock.at;
}

void Game::drawReplayOnTop()
{
    if (!overlaysShown)
        return;
    window.setView(windowPixels());
    cityMap_.draw(window, instantReplay.city(), seenByCamera(), {}, mapPlace());
    ReplayBar::draw(window, desk.lettering(), instantReplay.clock());
    window.setView(view);
}

void Game::clickInReplay(sf::Vector2f windowPx)
{
    if (!instantReplay.isOpen())
        return;
    const sf::IntRect where = mapPlace();
    if (sf::FloatRect(where).contains(windowPx))
        instantReplay.lookAt(CityMap::toCity(windowPx, where), view);
    else if (const std::optional<std::size_t> moment =
                 overlaysShown ? ReplayBar::momentAt(window.getSize(), instantReplay.clock(), windowPx) : std::nullopt)
        instantReplay.jumpTo(*moment);
}
} // namespace tamrow
