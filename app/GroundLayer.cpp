#include "app/GroundLayer.hpp"

#include "app/Visibility.hpp"

#include <SFML/Graphics/Sprite.hpp>

namespace
{
void drawGround(sf::RenderTarget& target, const City& city, std::size_t firstProp)
{
    const sf::FloatRect seen = seenArea(target.getView());
    if (firstProp == 0)
        drawIfShown(target, city.map.sprite, seen);
    for (std::size_t i = firstProp; i < city.props.size(); ++i)
        drawIfShown(target, city.props[i].sprite, seen);
}
} // namespace

void GroundLayer::draw(sf::RenderTarget& target, const City& city, const sf::Color& clearColour)
{
    const sf::View view = target.getView();
    const sf::Vector2u size = target.getSize();
    const bool still = sameShot(view, size);
    lastView = view;
    lastSize = size;

    // A moving camera redraws everything anyway: straight into the target,
    // without paying for a copy. The picture is made once the camera rests.
    if (!still || (!pictureValid && !repaint(view, size, city, clearColour)))
    {
        pictureValid = false;
        drawGround(target, city, 0);
        return;
    }
    if (propsShown < city.props.size())
    {
        drawGround(picture, city, propsShown);
        propsShown = city.props.size();
        picture.display();
    }
    copyInto(target);
}

bool GroundLayer::sameShot(const sf::View& view, sf::Vector2u size) const
{
    return size == lastSize && view.getCenter() == lastView.getCenter() &&
        view.getSize() == lastView.getSize() && view.getRotation() == lastView.getRotation() &&
        view.getViewport() == lastView.getViewport();
}

bool GroundLayer::repaint(const sf::View& view, sf::Vector2u size, const City& city,
                          const sf::Color& clearColour)
{
    if (picture.getSize() != size && !picture.create(size.x, size.y))
        return false;
    picture.setView(view);
    picture.clear(clearColour);
    drawGround(picture, city, 0);
    picture.display();
    propsShown = city.props.size();
    pictureValid = true;
    return true;
}

void GroundLayer::copyInto(sf::RenderTarget& target) const
{
    // Pixel for pixel: the picture covers the target exactly and replaces what
    // was there, with no blending and no filtering.
    const sf::View view = target.getView();
    target.setView(target.getDefaultView());
    target.draw(sf::Sprite(picture.getTexture()), sf::RenderStates(sf::BlendNone));
    target.setView(view);
}
