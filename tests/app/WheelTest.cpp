// The mouse wheel, turned on the X server over the window: a notch down zooms
// out as one Z step does, a notch up in as one X step does.

#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

namespace
{
using WheelTest = GameTest;

/// Turns the wheel one notch over wherever the pointer is (X buttons 4 up, 5 down).
bool turnWheel(const char* button)
{
    return runCommand({"xdotool", "click", button}) == 0;
}
} // namespace

TEST_F(WheelTest, ANotchZoomsAsOneZOrXStepDoes)
{
    ASSERT_TRUE(xSession.connected());
    xSession.warpPointer(400, 300);
    ASSERT_TRUE(waitForQuiet());
    const sf::Vector2f unzoomed = unzoomedViewSize(game.window.getSize());
    const sf::Vector2f out = zoomedViewSize(game.view.getSize(), unzoomed, ZoomOutFactor);
    ASSERT_TRUE(turnWheel("5"));
    ASSERT_TRUE(viewReaches(out));
    ASSERT_TRUE(turnWheel("4"));
    ASSERT_TRUE(viewReaches(zoomedViewSize(out, unzoomed, ZoomInFactor)));
}
