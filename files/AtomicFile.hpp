#pragma once

#include <string>

namespace tamrow
{
/// Writes `bytes` to `path` through a temporary file in the same folder, flushed, synced and renamed over `path`; on failure removes the temporary file. Empty on success, else the reason in words ("no space left on device").
std::string writeFileAtomically(const std::string& path, const std::string& bytes);
} // namespace tamrow
