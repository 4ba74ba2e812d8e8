#pragma once

#include "city/City.hpp"

#include <array>
#include <cstdint>
#include <functional>

namespace tamrow
{
/// The fixed physics step of every frame (s): 0.016666668 in single precision.
constexpr float TimeStep = 1.0f / 60.0f;
constexpr std::int32_t VelocityIterations = 8;
constexpr std::int32_t PositionIterations = 3;

/// The part of a frame that changes the game, shared by the window's frame and
/// every headless run: one world step, the city's turn, props to their bodies.
/// `stepped`, if given, is called right after the step (to time it apart).
void advanceCity(b2World& world, City& city, const std::function<void()>& stepped = {});

/// What a city has seen so far, read off its records.
struct CitySummary
{
    std::int64_t waves = 0;
    std::array<std::int64_t, 3> alive{};   ///< people alive, by Faction value; the character among the civilians
    std::array<std::int64_t, 3> deaths{};  ///< corpses laid, by Faction value
    std::int64_t corpses = 0;              ///< corpse props in the street
    std::int32_t population = 0;          ///< City::population, which decides the waves
    std::size_t actors = 0;                ///< everyone ever in the city, the dead too
};

CitySummary summarise(const City& city);

/// Runs `frames` frames without a window; `afterFrame`, if given, is called
/// after each with the number of frames run so far.
void runHeadless(b2World& world, City& city, std::int64_t frames,
                 const std::function<void(std::int64_t)>& afterFrame = {});
} // namespace tamrow
