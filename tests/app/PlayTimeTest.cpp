// Pause and start again, checked against the fingerprint of a fresh city's play.
#include "life/GoldenTrace.hpp"

#include "app/Game.hpp"
#include "app/Session.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

namespace
{
constexpr std::int64_t BeforePause = 120;
constexpr std::int64_t PausedFrames = 60;
constexpr std::int64_t AfterPause = 120;

/// A fresh game, as the program starts it, in a small unthrottled window; D held throughout.
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
    /// Plays `frames` frames, folding each into `trace`; the frames are numbered from `first`.
    void play(std::int64_t frames, CityTrace& trace, std::int64_t first = 1)
    {
        for (std::int64_t frame = first; frame < first + frames; ++frame)
        {
            game.runFrame();
            trace.record(*game.city, frame);
        }
    }
    Session session;
    Game game;
};
} // namespace

TEST(Pause, FreezesTheGameAndResumingContinuesItExactly)
{
    CityTrace unpaused;
    WalkingGame().play(BeforePause + AfterPause, unpaused);

    WalkingGame walker;
    CityTrace resumed;
    walker.play(BeforePause, resumed);
    const std::int32_t speed = walker.game.moveX;
    const auto fingerprint = [&walker] {
        CityTrace now;
        now.record(*walker.game.city, 0);
        return now.hash();
    };
    const std::uint64_t frozen = fingerprint();
    walker.game.togglePause();
    for (std::int64_t frame = 0; frame < PausedFrames; ++frame)
        walker.game.runFrame();
    EXPECT_EQ(fingerprint(), frozen) << "the city moved while paused";
    EXPECT_EQ(walker.game.moveX, speed) << "a held key walked while paused";
    walker.game.togglePause();
    walker.play(AfterPause, resumed, BeforePause + 1);
    EXPECT_EQ(resumed.hash(), unpaused.hash());
}

TEST(StartAgain, TheNewGameRetracesTheGoldenRun)
{
    WalkingGame walker;
    CityTrace stirred;
    walker.play(BeforePause, stirred);  // rand(), the world and the walking speed are all moved on
    walker.game.keyHeld = [](sf::Keyboard::Key) { return false; };
    walker.game.startAgain();

    CityTrace trace;
    walker.play(TraceFrames, trace);
    EXPECT_EQ(trace.hash(), GoldenTraceHash) << std::hex << "0x" << trace.hash();
    EXPECT_EQ(trace.firstDeathFrame(), GoldenFirstDeathFrame);
}
