#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace tamrow
{
TestCity::TestCity(bool withCarPark)
    : city(world, std::nullopt, withCarPark ? &carPark : nullptr)
{
}

TempFolder::TempFolder()
{
    char name[] = "/tmp/tamrow-test-XXXXXX";
    const char* made = mkdtemp(name);
    if (made == nullptr)
        ADD_FAILURE() << "cannot make a temporary folder";
    else
        path = made;
}

TempFolder::~TempFolder()
{
    if (!path.empty())
        std::filesystem::remove_all(path);
}

std::string fileContent(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

::testing::AssertionResult waitUntil(const std::string& awaited, std::chrono::milliseconds limit,
                                     const std::function<bool()>& done, const std::function<std::string()>& seen)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done())
    {
        if (std::chrono::steady_clock::now() >= deadline)
            return ::testing::AssertionFailure() << "waited " << limit.count() << " ms for " << awaited
                                                 << "; saw " << (seen ? seen() : std::string("nothing of note"));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return ::testing::AssertionSuccess();
}
} // namespace tamrow
