#include "support/Waiting.hpp"

#include <thread>

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
