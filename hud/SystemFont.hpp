#pragma once

#include <SFML/Graphics/Font.hpp>

#include <optional>
#include <string>

namespace tamrow
{
/// The file of the system's ordinary sans-serif font, as fontconfig chooses it
/// for any program asking the standard way; nothing when fontconfig knows no font.
std::optional<std::string> findSystemFont();

/// Loads the system's sans-serif font into `font`. Without one it says so in one
/// line on standard error and returns false: the game then plays without lettering.
bool loadSystemFont(sf::Font& font);
} // namespace tamrow
