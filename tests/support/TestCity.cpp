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
/// SFML lets go of its shared OpenGL context, and with it its X connection, when the
/// last texture is destroyed, and connects again for the next texture. Were its
/// connection the display's last, the X server would reset in between and refuse
/// the next one, and SFML would abort. Our own connection, held for the whole
/// program, keeps the server from resetting; one context held as long spares
/// every test the cost of a new one.
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
                                     const std::function<bool()>& done, const Sightings& seen)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done())
    {
        if (std::chrono::steady_clock::now() >= deadline)
            return ::testing::AssertionFailure() << "waited " << limit.count() << " ms for " << awaited
                                                 << "; saw " << (seen ? seen() : std::string("nothing of note"));
        std::this_thread::sleep_for(PollInterval);
    }
    return ::testing::AssertionSuccess();
}
