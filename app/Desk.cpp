#include "app/Desk.hpp"

#include "app/SystemFont.hpp"

Desk::Desk()
    : lettered(loadSystemFont(font))
{
}
