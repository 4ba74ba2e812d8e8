#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

#include <ctime>
#include <string>

namespace tamrow
{
/// Where screenshots go: $XDG_PICTURES_DIR if set, else ~/Pictures if it is a
/// folder, else the working directory.
std::string picturesFolder();

/// The file name of a screenshot taken at local time `when`,
/// e.g. "tamrow-2026-12-07_00-05-12.png".
std::string screenshotName(std::time_t when);

/// Saves what `window` has drawn this frame, before it is presented, as a PNG
/// of the window's size in `folder` (a number is added to a name already taken).
/// Says in one line on standard error where it went, or that it could not be
/// written and why (the file is then not there at all). Returns the file's path, empty when nothing was written.
std::string saveScreenshot(const sf::RenderWindow& window, const std::string& folder);
} // namespace tamrow
