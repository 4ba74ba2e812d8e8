#pragma once

#include "city/City.hpp"

#include <box2d/box2d.h>

#include <cstdint>
#include <string>

/// A real physics world without gravity and a real city built in it from the
/// images of the current working directory. The world outlives the city.
struct TestCity
{
    TestCity();

    b2World world;
    City city;
};

/// Reseeds the C generator with the value it has in a fresh process, so a test
/// sees the same waves whatever ran before it in the same executable.
void resetRandom();

/// A temporary folder, removed with everything in it when this goes away.
struct TempFolder
{
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path;  ///< ends without a slash
};

/// Sets the working directory to `folder` for its lifetime, then restores the old one.
struct ScopedWorkingDirectory
{
    explicit ScopedWorkingDirectory(const std::string& folder);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

    std::string previous;
};
