#include "support/RealProgram.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>

const std::string GameWindowTitle = "Tamrow 2014 Sorn";

std::vector<XWindowId> newGameWindows(XSession& x, const std::vector<XWindowId>& before)
{
    std::vector<XWindowId> found;
    for (XWindowId window : x.windowsTitled(GameWindowTitle))
    {
        if (std::find(before.begin(), before.end(), window) == before.end())
            found.push_back(window);
    }
    return found;
}

std::vector<XWindowId> waitForGameWindow(XSession& x, const std::vector<XWindowId>& before, ChildProcess& game,
                                         std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline && game.running())
    {
        std::vector<XWindowId> windows = newGameWindows(x, before);
        if (!windows.empty() && x.info(windows.front()).viewable)
            return windows;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return newGameWindows(x, before);
}

std::string fileContent(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
