#pragma once

#include "city/City.hpp"
#include "play/PhysicsWorld.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace tamrow
{
/// The game's physics worlds and a real city built in them without images: the
/// same game, but no texture, so no X display is needed. The worlds, built
/// first, outlive the city.
struct TestCity : PhysicsWorld
{
    /// With `withCarPark`, the dead are parked in `carPark`, as the game parks them.
    explicit TestCity(bool withCarPark = false);

    City city;
};

/// A temporary folder, removed with everything in it when this goes away.
struct TempFolder
{
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path;  ///< ends without a slash
};

/// The whole content of a (small) file; empty if there is none.
std::string fileContent(const std::string& path);

/// Every wait of the tests has a deadline: looks at `done` every 5 ms until it
/// holds (success) or `limit` has passed, then fails with "waited <limit> for
/// <awaited>; saw <seen()>", `seen` saying what kept it busy meanwhile.
::testing::AssertionResult waitUntil(const std::string& awaited, std::chrono::milliseconds limit,
                                     const std::function<bool()>& done,
                                     const std::function<std::string()>& seen = {});
} // namespace tamrow
