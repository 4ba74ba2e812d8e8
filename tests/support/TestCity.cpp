#include "support/TestCity.hpp"

#include <SFML/Window/Context.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace
{
/// SFML lets go of its shared OpenGL context, and with it its X connection, when the
/// last texture is destroyed, and makes new ones for the next texture. Every test
/// in this process builds a city; run in one process, a few dozen of those rounds end with the
/// X server refusing the connection ("Failed to open X11 display", abort). One
/// context held for the whole program keeps the one connection.
class OneDisplayConnection : public ::testing::Environment
{
public:
    void SetUp() override { context_ = std::make_unique<sf::Context>(); }
    void TearDown() override { context_.reset(); }

private:
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

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& folder)
    : previous(std::filesystem::current_path().string())
{
    std::filesystem::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory()
{
    std::filesystem::current_path(previous);
}
