#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tamrow
{
/// The folders the game looks in for its images, most wanted first, each ending
/// with a slash:
/// 1. $TAMROW_DATA_DIR, when set and not empty: the player's own choice;
/// 2. ./resources/image/ under the working directory: a game started from its source tree;
/// 3. share/tamrow/image/ beside the bin/ folder the running program lies in: an
///    installed game, wherever its tree was installed or moved to;
/// 4. the images of the source tree the program was built from: a build folder.
std::vector<std::string> imageFolderCandidates();

/// The first of `folders` that holds a regular file named `marker` (not read);
/// nothing when none does.
std::optional<std::string> firstFolderHolding(const std::vector<std::string>& folders, const std::string& marker);

/// The first of `candidates` that holds a file named as the map image. The file
/// is not read: a broken map there is the player's and leaves its slot empty,
/// as any bad image does. Nothing when no candidate has one.
std::optional<std::string> findImageFolder(const std::vector<std::string>& candidates);
} // namespace tamrow
