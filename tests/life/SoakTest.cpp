// A long headless run, checking after every frame what must always hold: the
// counter, one corpse per death, the dead parked out of play, finite numbers.
#include "life/Simulation.hpp"
#include "Street.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr std::int64_t SoakFrames = 100000;  // 28 min of play
constexpr std::size_t Founders = 3;
constexpr std::size_t Walls = 4;
/// How often all the parked dead are looked at again (frames).
constexpr std::int64_t FullCheckEvery = 1000;

bool finite(const b2Vec2& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

bool parked(const b2Body& body)
{
    return body.GetPosition() == ParkPosition && body.GetAngle() == 0.0f && !body.IsEnabled();
}

/// Tells what is wrong with a running city; each frame looks only at the living and
/// at what is new, so a long run stays cheap.
class Watchdog
{
public:
    std::string check(const City& city, std::int64_t frame)
    {
        std::ostringstream problem;
        const std::size_t count = city.actors.size();
        if (count < seen_ || (count - Founders) % 4 != 0)
            problem << count << " actors is no whole number of waves; ";
        for (; seen_ < count; ++seen_)
            living_.push_back(seen_);

        std::size_t kept = 0;
        for (std::size_t i : living_)
        {
            const Actor& actor = city.actors[i];
            if (actor.dead)
            {
                if (!actor.corpseLaid || !parked(*actor.body) || actor.health != 0)
                    problem << "actor " << i << " died without being laid out; ";
                const Prop& corpse = city.props[Walls + dead_.size()];
                if (!finite(corpse.body->GetPosition()) || corpse.body->GetType() != b2_staticBody)
                    problem << "corpse of actor " << i << " is no static body on the map; ";
                dead_.push_back(i);
                continue;
            }
            if (actor.corpseLaid || !actor.body->IsEnabled() || actor.health < 1 || actor.health > 10)
                problem << "living actor " << i << " is out of play; ";
            if (!finite(actor.body->GetPosition()) || !finite(actor.body->GetLinearVelocity()))
                problem << "actor " << i << " left the real numbers; ";
            living_[kept++] = i;
        }
        living_.resize(kept);

        const std::int64_t waves = static_cast<std::int64_t>((count - Founders) / 4);
        const std::int64_t corpses = static_cast<std::int64_t>(dead_.size());
        if (city.props.size() != Walls + dead_.size())
            problem << city.props.size() << " props for " << corpses << " dead; ";
        if (city.population != 4 * waves - corpses)
            problem << "population " << city.population << " after " << waves << " waves and "
                    << corpses << " corpses; ";
        if (frame % FullCheckEvery == 0)
        {
            for (std::size_t i : dead_)
            {
                if (!parked(*city.actors[i].body) || !city.actors[i].corpseLaid)
                    problem << "dead actor " << i << " left its parking place; ";
            }
        }
        return problem.str();
    }

    std::size_t deaths() const { return dead_.size(); }
    std::size_t living() const { return living_.size(); }

private:
    std::size_t seen_ = 0;
    std::vector<std::size_t> living_;
    std::vector<std::size_t> dead_;  ///< in the order their corpses were laid
};

/// Runs a fresh city for SoakFrames frames under the watchdog, `stir` acting before each.
void soak(Watchdog& watchdog, void (*stir)(City&, std::int64_t) = nullptr)
{
    resetRandom();
    TestCity town;
    for (std::int64_t frame = 1; frame <= SoakFrames; ++frame)
    {
        if (stir != nullptr)
            stir(town.city, frame);
        advanceCity(town.world, town.city);
        const std::string problem = watchdog.check(town.city, frame);
        ASSERT_EQ(problem, "") << "frame " << frame;
    }
    ASSERT_EQ(watchdog.check(town.city, FullCheckEvery), "");
}

TEST(LongRun, AHundredThousandQuietFrames)
{
    Watchdog watchdog;
    soak(watchdog);
    // The hooligans win within the first 2000 frames; then the street is quiet.
    EXPECT_EQ(watchdog.deaths(), 23u);
}

TEST(LongRun, AHundredThousandStirredFrames)
{
    Watchdog watchdog;
    soak(watchdog, recruitBothWays);
    // Pinned, since every run is the same run: 1580 dead, 15 standing.
    EXPECT_EQ(watchdog.deaths(), 1580u);
    EXPECT_EQ(watchdog.living(), 15u);
}
} // namespace
