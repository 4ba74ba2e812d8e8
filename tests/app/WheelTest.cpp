// The mouse wheel, turned on the X server over the window: a notch down zooms
// out as one Z step does, a notch up in as one X step does.

#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

namespace
{
using WheelTest = WindowEventsTest;

/// Turns the wheel one notch over wherever the pointer is (X buttons 4 up, 5 down).
bool turnWheel(const char* button)
{
    return runCommand({"xdotool", "click", button}).exitCode == 0;
}
} // namespace

TEST_F(WheelTest, ANotchZoomsAsOneZOrXStepDoes)
{
    ASSERT_TRUE(x_.connected());
    x_.warpPointer(400, 300);
    drainEvents();
    const sf::Vector2f start = game.view.getSize();
    ASSERT_TRUE(turnWheel("5"));
    const sf::Vector2f out = zoomed(start, ZoomOutFactor, 1);
    ASSERT_TRUE(viewReaches(out));
    expectViewStays(out);
    ASSERT_TRUE(turnWheel("4"));
    ASSERT_TRUE(viewReaches(zoomed(out, ZoomInFactor, 1)));
}
