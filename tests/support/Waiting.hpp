#pragma once

// Every wait of the tests has an overall deadline. On reaching it a wait fails
// and says what it waited for, how long, and what it saw meanwhile, instead of
// waiting on while something keeps it busy.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

/// How often a wait looks at its condition again.
constexpr std::chrono::milliseconds PollInterval(5);

/// Describes what a wait saw so far, for its failure message.
using Sightings = std::function<std::string()>;

/// Looks at `done` every PollInterval until it holds (success) or `limit` has
/// passed since the call: then fails with "waited <limit> for <awaited>; saw <seen()>".
::testing::AssertionResult waitUntil(const std::string& awaited, std::chrono::milliseconds limit,
                                     const std::function<bool()>& done, const Sightings& seen = {});
