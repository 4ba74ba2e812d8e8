// Pause and start again: what they do to the game itself, checked against the
// fingerprint of a fresh city's play.
#include "life/GoldenTrace.hpp"

#include "app/Game.hpp"
#include "app/Session.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

namespace
{
constexpr std::int64_t BeforePause = 120;
constexpr std::int64_t Paused = 60;
constexpr std::int64_t AfterPause = 120;

/// A fresh game in a small, unthrottled window, D held the whole time.
struct WalkingGame
{
    WalkingGame()
        : session((resetRandom(), std::string(ImageFolder)))
        , game(session.city(), session.physics())
    {
        game.session = &session;
        game.keyHeld = [](sf::Keyboard::Key key) { return key == sf::Keyboard::D; };
        game.window.setFramerateLimit(0);
        game.window.setSize(sf::Vector2u(160, 90));
    }
    void play(std::int64_t frames, CityTrace& trace)
    {
        for (std::int64_t frame = 0; frame < frames; ++frame)
        {
            game.runFrame();
            trace.record(session.city(), frame);
        }
    }
    Session session;
    Game game;
};

std::uint64_t fingerprint(const City& city)
{
    CityTrace trace;
    trace.record(city, 0);
    return trace.hash();
}
} // namespace

TEST(Pause, FreezesTheGameAndResumingContinuesItExactly)
{
    CityTrace unpaused;
    {
        WalkingGame straight;
        straight.play(BeforePause + AfterPause, unpaused);
    }
    WalkingGame paused;
    CityTrace resumed;
    paused.play(BeforePause, resumed);
    const std::uint64_t frozen = fingerprint(paused.session.city());
    const std::int32_t speed = paused.game.moveX;
    paused.game.togglePause();
    for (std::int64_t frame = 0; frame < Paused; ++frame)
        paused.game.runFrame();
    EXPECT_EQ(fingerprint(paused.session.city()), frozen);
    EXPECT_EQ(paused.game.moveX, speed) << "a held key walked while paused";
    paused.game.togglePause();
    paused.play(AfterPause, resumed);
    EXPECT_EQ(resumed.hash(), unpaused.hash());
}

TEST(StartAgain, TheNewGameRetracesTheGoldenRun)
{
    WalkingGame played;
    CityTrace before;
    played.play(BeforePause, before);  // the generator and the world are well stirred
    played.game.keyHeld = [](sf::Keyboard::Key) { return false; };
    played.game.startAgain();
    EXPECT_EQ(played.game.moveX, 0);

    CityTrace trace;
    for (std::int64_t frame = 1; frame <= TraceFrames; ++frame)
    {
        played.game.runFrame();
        trace.record(*played.game.city, frame);
    }
    EXPECT_EQ(trace.hash(), GoldenTraceHash) << std::hex << "0x" << trace.hash();
    EXPECT_EQ(trace.firstDeathFrame(), GoldenFirstDeathFrame);
    EXPECT_EQ(trace.firstVictim(), GoldenFirstVictim);
}
