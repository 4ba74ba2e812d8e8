#pragma once

#include "city/City.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamrow
{
/// What happened to one person on the street between two looks.
struct PersonChange
{
    std::uint32_t person;  ///< index into City::actors
    std::int32_t hits;     ///< points of health lost: one per hit
    bool fell;             ///< died
};

/// Tells what happened in a city between two looks, from how the people's
/// health and `dead` and their number changed (who changed sides is what
/// recruiting itself tells: play's `Recruiting`). Reads the city, never
/// writes it. What reads the fight from the city (the marks, the sounds) shares
/// one, looked at once per frame after the city's turn.
class CityChanges
{
public:
    /// Compares `city` with the last look. At the first look everyone arrives
    /// and nothing else has happened.
    void look(const City& city);

    /// The people who arrived since the last look: indexes from this one to the
    /// end of City::actors. Newcomers arrive whole: nothing happened to them yet.
    std::size_t firstArrival() const { return firstArrival_; }
    /// The people on the street to whom something happened, in index order.
    const std::vector<PersonChange>& changed() const { return changed_; }

private:
    /// A person as the last look left them.
    struct Seen
    {
        std::int32_t health;
        bool dead;
    };

    std::vector<Seen> seen_;  ///< one per actor, by index
    std::size_t firstArrival_ = 0;
    std::vector<PersonChange> changed_;
};
} // namespace tamrow
