#include "desktop/OnceKeys.hpp"

#include <iterator>

bool OnceKeys::press(sf::Keyboard::Key key)
{
    return down_.insert(key).second;
}

void OnceKeys::release(sf::Keyboard::Key key)
{
    down_.erase(key);
}

void OnceKeys::forgetAll()
{
    down_.clear();
}

void OnceKeys::forgetReleased(const std::function<bool(sf::Keyboard::Key)>& isDown)
{
    for (auto key = down_.begin(); key != down_.end();)
        key = isDown(*key) ? std::next(key) : down_.erase(key);
}
