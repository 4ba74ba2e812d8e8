#include "app/Desk.hpp"

#include "hud/SystemFont.hpp"

namespace tamrow
{
Desk::Desk()
    : lettered(loadSystemFont(font))
{
}
} // namespace tamrow
