#include "play/Session.hpp"

#include <utility>

namespace tamrow
{
Session::Session(std::optional<std::string> imageFolder)
    : imageFolder_(std::move(imageFolder))
{
    build();
}

Session::Session(const TextureBank& borrowed)
    : borrowed_(&borrowed)
{
    build();
}

void Session::startAgain()
{
    city_.reset();
    physics_.reset();
    build();
    ++restarts_;
}

void Session::build()
{
    physics_ = std::make_unique<PhysicsWorld>();
    city_ = borrowed_ != nullptr ? std::make_unique<City>(physics_->world, *borrowed_, &physics_->carPark)
                                 : std::make_unique<City>(physics_->world, imageFolder_, &physics_->carPark);
}
} // namespace tamrow
