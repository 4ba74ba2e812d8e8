#include "bench/PlainFrame.hpp"

namespace tamrow
{
void drawEverySprite(sf::RenderTarget& target, const City& city)
{
    target.draw(city.map.sprite, sf::RenderStates::Default);
    for (const Prop& prop : city.props)
        target.draw(prop.sprite, sf::RenderStates::Default);
    for (const Actor& actor : city.actors)
        target.draw(actor.sprite, sf::RenderStates::Default);
}

void visitEveryone(City& city)
{
    city.onStreet.resize(city.actors.size());
    for (std::size_t i = 0; i < city.actors.size(); ++i)
        city.onStreet[i] = static_cast<std::uint32_t>(i);
    city.propsPlaced = 0;
}
} // namespace tamrow
