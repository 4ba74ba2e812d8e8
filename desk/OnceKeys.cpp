#include "desk/OnceKeys.hpp"

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
