#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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
