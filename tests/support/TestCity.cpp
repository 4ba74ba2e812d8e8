#include "support/TestCity.hpp"

#include "app/DisplayConnection.hpp"

#include <SFML/Window/Context.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <unistd.h>

namespace
{
/// SFML lets go of its X connection with its last texture and connects again for
/// the next; were it the display's last client, the server would reset between
/// and refuse it, and SFML abort. A connection and a context held for the whole
/// program keep the server up and spare every test a new context.
class OneDisplayConnection : public ::testing::Environment
{
public:
    void SetUp() override
    {
        display_ = std::make_unique<DisplayConnection>();
        if (display_->open())
            context_ = std::make_unique<sf::Context>();
    }
    void TearDown() override
    {
        context_.reset();
        display_.reset();
    }

private:
    std::unique_ptr<DisplayConnection> display_;
    std::unique_ptr<sf::Context> context_;
};

[[maybe_unused]] ::testing::Environment* const displayConnection =
    ::testing::AddGlobalTestEnvironment(new OneDisplayConnection);

} // namespace

TestCity::TestCity()
    : world(b2Vec2(0.0f, 0.0f))
    , city(world)
{
}

void resetRandom()
{
    // A never-seeded rand() behaves as if seeded with 1.
    std::srand(1);
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
