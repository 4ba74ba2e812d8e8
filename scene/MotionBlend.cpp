#include "scene/MotionBlend.hpp"

#include <algorithm>

namespace tamrow
{
void MotionBlend::keep(const City& city)
{
    kept_.resize(city.actors.size());
    for (std::size_t i = 0; i < city.actors.size(); ++i)
        kept_[i] = city.actors[i].sprite.getPosition();
}

void MotionBlend::place(City& city, float between)
{
    const std::size_t count = std::min(kept_.size(), city.actors.size());
    stepped_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        sf::Sprite& sprite = city.actors[i].sprite;
        stepped_[i] = sprite.getPosition();
        sprite.setPosition(kept_[i] + (stepped_[i] - kept_[i]) * between);
    }
}

void MotionBlend::restore(City& city)
{
    for (std::size_t i = 0; i < stepped_.size() && i < city.actors.size(); ++i)
        city.actors[i].sprite.setPosition(stepped_[i]);
    stepped_.clear();
}
} // namespace tamrow
