#pragma once

#include "city/City.hpp"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

/// A real physics world without gravity and a real city built in it without
/// images: the same game, but no texture, so no X display is needed. The worlds
/// outlive the city.
struct TestCity
{
    /// With `carPark`, the dead are parked in the second world, as the game parks them.
    explicit TestCity(bool carPark = false);

    b2World world;
    b2World parked;
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
