#include "app/Desk.hpp"

#include "hud/SystemFont.hpp"

Desk::Desk()
    : lettered(loadSystemFont(font))
{
}
