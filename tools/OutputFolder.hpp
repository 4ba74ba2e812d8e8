#pragma once

// What the resource tools (tamrow_imagegen, tamrow_soundgen) share: the folder
// they write into, and how each file written is told.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace tamrow
{
/// Exit statuses of a resource tool.
constexpr int ToolUsageError = 2;
constexpr int ToolWriteError = 1;

/// The folder named by the command line's one argument, else `fallback`, made
/// if need be. Nothing after a line on standard error, `status` then set: a
/// command line of more than one argument, or a folder that cannot be made.
inline std::optional<std::filesystem::path> outputFolder(int argc, char** argv, const char* fallback, int& status)
{
    if (argc > 2)
    {
        std::cerr << "usage: " << argv[0] << " [output folder]\n";
        status = ToolUsageError;
        return std::nullopt;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : fallback;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
    {
        std::cerr << "cannot create " << folder << ": " << error.message() << '\n';
        status = ToolWriteError;
        return std::nullopt;
    }
    return folder;
}

/// Tells `file` and `what` it holds on standard output if `saved`, else that it
/// could not be written, on standard error; `saved`.
inline bool told(bool saved, const std::filesystem::path& file, const std::string& what)
{
    if (saved)
        std::cout << file.string() << "  " << what << '\n';
    else
        std::cerr << "cannot write " << file << '\n';
    return saved;
}
} // namespace tamrow
