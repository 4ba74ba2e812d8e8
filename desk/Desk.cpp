#include "desk/Desk.hpp"

#include "desk/SystemFont.hpp"

Desk::Desk()
    : lettered(loadSystemFont(font))
{
}
