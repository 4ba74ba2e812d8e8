// The real program, started from the repository root as a player starts it,
// where the desktop is hostile.
//
// With no X display to open (DISPLAY unset, naming a display nobody serves,
// empty, or no display name at all) it must say so in one line on its standard
// error, print nothing on its standard output, and exit at once with a failure
// status, before it builds anything.
//
// A monkey: for a minute, a restless player and a restless desktop at once.
// Random presses and releases of the game's keys and others (a fixed seed, so
// every run sends the same ones), pointer moves over the window (each one an
// event, so a held Z or X zooms), resizes to random sizes down to a single
// pixel, and the focus taken away and given back. At the end the game must still
// run, answer the close button and exit with status 0, having printed nothing.

#include "support/RealProgram.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

/// How long a program that gives up may take, even under the sanitizers: it asks
/// a display that refuses again for DisplayPatience (2 s) before giving up.
constexpr std::chrono::seconds PromptExit(4);
/// How long to wait before calling it hung.
constexpr std::chrono::seconds HangLimit(10);

struct Outcome
{
    std::optional<int> status;  ///< raw wait status, if it exited in time
    std::string out;
    std::string err;
    Clock::duration took{};
};

/// Runs the game through env(1) with `environment` (env's own arguments, such
/// as "-u DISPLAY" or "DISPLAY=:99999") in place of the test's own.
Outcome runGameWith(const std::vector<std::string>& environment)
{
    TempFolder output;
    std::vector<std::string> argv = {"/usr/bin/env"};
    argv.insert(argv.end(), environment.begin(), environment.end());
    argv.push_back(TAMROW_BINARY);
    Outcome outcome;
    const Clock::time_point started = Clock::now();
    {
        ChildProcess game(argv, TAMROW_SOURCE_DIR, output.path + "/stdout.txt", output.path + "/stderr.txt");
        outcome.status = game.waitForExit(HangLimit);
    }
    outcome.took = Clock::now() - started;
    outcome.out = fileContent(output.path + "/stdout.txt");
    outcome.err = fileContent(output.path + "/stderr.txt");
    return outcome;
}

void expectClearRefusal(const Outcome& outcome, const std::string& setting)
{
    ASSERT_TRUE(outcome.status.has_value()) << "still running after " << HangLimit.count() << " s";
    EXPECT_LT(outcome.took, PromptExit);
    ASSERT_TRUE(WIFEXITED(*outcome.status)) << "ended by signal " << WTERMSIG(*outcome.status) << "; stderr:\n"
                                            << outcome.err;
    EXPECT_NE(WEXITSTATUS(*outcome.status), 0);
    EXPECT_EQ(outcome.err, "tamrow: cannot open the X display (" + setting + "): is a desktop session running?\n");
    EXPECT_EQ(outcome.out, "");
}
} // namespace

TEST(NoDisplayTest, UnsetDisplayIsRefusedInOneLine)
{
    expectClearRefusal(runGameWith({"-u", "DISPLAY"}), "DISPLAY is not set");
}

TEST(NoDisplayTest, DisplayThatNobodyServesIsRefusedInOneLine)
{
    expectClearRefusal(runGameWith({"DISPLAY=:99999"}), "DISPLAY=:99999");
}

TEST(NoDisplayTest, EmptyOrMalformedDisplayIsRefusedInOneLine)
{
    expectClearRefusal(runGameWith({"DISPLAY="}), "DISPLAY=");
    expectClearRefusal(runGameWith({"DISPLAY=not a display"}), "DISPLAY=not a display");
}

namespace
{
/// How long the monkey plays.
constexpr std::chrono::seconds MonkeyTime(60);
/// The seed of the monkey's choices: every run sends the same keys in the same order.
constexpr std::mt19937::result_type MonkeySeed = 2014;
/// The game's keys, twice over so that they come up most, and others a player
/// might press, modifiers among them (xdotool's names). Not F11, whose full
/// screen is a new window while the monkey holds the game's by its id, nor F12,
/// which would leave screenshots behind.
const std::vector<std::string> MonkeyKeys = {
    "w", "a", "s", "d", "q", "e", "z", "x", "w", "a", "s", "d", "q", "e", "z", "x",
    "space", "Return", "Escape", "Tab", "BackSpace", "F1", "F5", "Up", "Left", "1", "m", "p",
    "shift", "ctrl", "alt", "super"};
/// Window sizes the monkey tries besides random ones (px): a pixel, a line, a sliver.
const std::vector<std::pair<int, int>> SqueezedSizes = {{1, 1}, {1, 900}, {1600, 1}, {2, 3}, {17, 9}};
/// The largest random window size (px): a little beyond the 1920 x 1080 screen.
constexpr int LargestSide = 2400;
/// A plain window of "another program" to take the focus to, beside the game's.
constexpr int OtherLeft = 1700;
constexpr int OtherSide = 150;

/// One window event for every pointer move: a burst of them zooms far while Z or X is held.
constexpr int PointerBurst = 25;

class Monkey
{
public:
    Monkey(XSession& x, XWindowId game, XWindowId other)
        : x_(x)
        , game_(game)
        , other_(other)
        , random_(MonkeySeed)
    {
    }

    ~Monkey() { releaseAll(); }
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    /// One random thing a player or the desktop does.
    void act()
    {
        const int roll = pick(100);
        if (roll < 35)
            press(MonkeyKeys[static_cast<std::size_t>(pick(static_cast<int>(MonkeyKeys.size())))]);
        else if (roll < 65)
            releaseOne();
        else if (roll < 80)
            movePointer(1);
        else if (roll < 85)
            movePointer(PointerBurst);
        else if (roll < 93)
            resize();
        else
            toggleFocus();
        ++actions_;
    }

    /// Lets every key go and gives the focus back to the game.
    void releaseAll()
    {
        for (const std::string& key : held_)
            runCommand({"xdotool", "keyup", key});
        held_.clear();
        x_.focus(game_);
    }

    int actions() const { return actions_; }
    int resizes() const { return resizes_; }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void press(const std::string& key)
    {
        if (runCommand({"xdotool", "keydown", key}).exitCode == 0)
            held_.insert(key);
    }

    void releaseOne()
    {
        if (held_.empty())
            return;
        auto key = held_.begin();
        std::advance(key, pick(static_cast<int>(held_.size())));
        runCommand({"xdotool", "keyup", *key});
        held_.erase(key);
    }

    void movePointer(int times)
    {
        const XWindowInfo window = x_.info(game_);
        for (int i = 0; i < times; ++i)
            x_.warpPointer(window.x + pick(std::max(window.width, 1)), window.y + pick(std::max(window.height, 1)));
    }

    void resize()
    {
        std::pair<int, int> size(1 + pick(LargestSide), 1 + pick(LargestSide));
        if (pick(2) == 0)
            size = SqueezedSizes[static_cast<std::size_t>(pick(static_cast<int>(SqueezedSizes.size())))];
        runCommand({"xdotool", "windowsize", std::to_string(game_), std::to_string(size.first),
                    std::to_string(size.second)});
        ++resizes_;
    }

    void toggleFocus()
    {
        otherFocused_ = !otherFocused_;
        x_.focus(otherFocused_ ? other_ : game_);
    }

    XSession& x_;
    XWindowId game_;
    XWindowId other_;
    std::mt19937 random_;
    std::set<std::string> held_;
    bool otherFocused_ = false;
    int actions_ = 0;
    int resizes_ = 0;
};
} // namespace

TEST(MonkeyTest, AMinuteOfRandomKeysResizesAndFocusThenACleanClose)
{
    XSession x;
    ASSERT_TRUE(x.connected()) << "run under xvfb-run";
    TempFolder output;
    const std::string stdoutPath = output.path + "/stdout.txt";
    const std::string stderrPath = output.path + "/stderr.txt";
    const std::vector<XWindowId> before = x.windowsTitled(GameWindowTitle);
    PlainWindow other(x, "Another program", OtherLeft, 0, OtherSide, OtherSide);

    ChildProcess game({TAMROW_BINARY}, TAMROW_SOURCE_DIR, stdoutPath, stderrPath);
    ASSERT_TRUE(game.started());
    const std::vector<XWindowId> windows = waitForGameWindow(x, before, game, std::chrono::seconds(30));
    ASSERT_EQ(windows.size(), 1u) << "stderr:\n" << fileContent(stderrPath);
    const XWindowId window = windows.front();
    ASSERT_TRUE(x.focus(window));

    {
        Monkey monkey(x, window, other.id());
        const Clock::time_point end = Clock::now() + MonkeyTime;
        while (Clock::now() < end)
        {
            monkey.act();
            ASSERT_TRUE(game.running()) << "the game ended after " << monkey.actions() << " actions; stderr:\n"
                                        << fileContent(stderrPath);
        }
        ::testing::Test::RecordProperty("actions", monkey.actions());
        ::testing::Test::RecordProperty("resizes", monkey.resizes());
        EXPECT_GT(monkey.actions(), 1000);
        EXPECT_GT(monkey.resizes(), 50);
    }

    // Calm again: a normal size, and a little time to catch up with the events.
    ASSERT_EQ(runCommand({"xdotool", "windowsize", std::to_string(window), "1600", "900"}).exitCode, 0);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ASSERT_TRUE(game.running()) << "stderr:\n" << fileContent(stderrPath);
    const XWindowInfo calm = x.info(window);
    EXPECT_TRUE(calm.viewable);
    EXPECT_EQ(calm.width, 1600);
    EXPECT_EQ(calm.height, 900);

    ASSERT_TRUE(x.requestClose(window));
    const std::optional<int> status = game.waitForExit(std::chrono::seconds(20));
    ASSERT_TRUE(status.has_value()) << "the game did not end after the close request";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << "; stderr:\n"
                                    << fileContent(stderrPath);
    EXPECT_EQ(WEXITSTATUS(*status), 0) << "stderr:\n" << fileContent(stderrPath);
    EXPECT_EQ(fileContent(stdoutPath), "") << "the game wrote to its standard output";
}
