#include "support/PrivateDisplay.hpp"

#include "support/Waiting.hpp"

PrivateDisplay::PrivateDisplay()
    : server_({"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"}, "/",
              folder_.path + "/display.txt", folder_.path + "/xvfb.txt")
{
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    EXPECT_TRUE(waitUntil("Xvfb to write its display number", std::chrono::seconds(10), [&] {
        number = fileContent(folder_.path + "/display.txt");
        return !server_.running() || (!number.empty() && number.back() == '\n');
    }, [&] { return "its log: " + fileContent(folder_.path + "/xvfb.txt"); }));
    if (!number.empty() && number.back() == '\n')
        name_ = ":" + number.substr(0, number.size() - 1);
}
