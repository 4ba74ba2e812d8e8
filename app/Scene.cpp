#include "app/Scene.hpp"

void centreOnCharacter(sf::View& view, const City& city)
{
    if (!city.actors.empty())
        view.setCenter(city.actors[0].sprite.getPosition());
}

void drawScene(sf::RenderTarget& target, const City& city)
{
    // Later draws cover earlier ones: that is the only layering there is.
    target.draw(city.map.sprite, sf::RenderStates::Default);
    for (const Prop& prop : city.props)
        target.draw(prop.sprite, sf::RenderStates::Default);
    for (const Actor& actor : city.actors)
        target.draw(actor.sprite, sf::RenderStates::Default);
}
