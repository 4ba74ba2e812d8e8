#include "play/Session.hpp"

#include <cstdlib>
#include <utility>

namespace
{
/// A never-seeded rand() behaves as if seeded with this.
constexpr unsigned UnseededRandom = 1;
} // namespace

Session::Session(std::optional<std::string> imageFolder)
    : imageFolder_(std::move(imageFolder))
{
    build();
}

void Session::startAgain()
{
    city_.reset();
    physics_.reset();
    std::srand(UnseededRandom);
    build();
}

void Session::build()
{
    physics_ = std::make_unique<PhysicsWorld>();
    city_ = std::make_unique<City>(physics_->world, imageFolder_, &physics_->carPark);
}
