#include "settings/SettingsFile.hpp"

#include "files/AtomicFile.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tamrow
{
namespace
{
/// Whether `text` is text: no NUL and no control character but tab, CR and LF.
bool isText(const std::string& text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\r' && c != '\n';
    });
}

/// What is wrong with the file at `path` before its lines are read; empty if
/// nothing, with its text in `text`. A missing file is nothing wrong.
std::string readWhole(const std::string& path, std::string& text)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::string();
    if (status.type() == std::filesystem::file_type::directory)
        return "is a folder, not a file";
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > static_cast<std::uintmax_t>(SettingsFile::LargestFile))
        return "is larger than " + std::to_string(SettingsFile::LargestFile / 1024) + " KiB";
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (error || !in.is_open() || in.bad())
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    if (!isText(text))
        return "is not text";
    return std::string();
}
} // namespace

SettingsFile::SettingsFile(std::string path)
    : path_(std::move(path))
{
    std::string text;
    const std::string wrong = readWhole(path_, text);
    if (!wrong.empty())
    {
        say(path_ + " " + wrong + "; the settings start afresh");
        return;
    }
    const int badLine = loaded_.read(text);
    if (badLine > 0)
        say(path_ + ":" + std::to_string(badLine) +
            ": not a known setting with a whole number in its range; that line is passed by");
    else if (!text.empty())
        written_ = loaded_;
}

void SettingsFile::say(const std::string& line)
{
    if (!complained_)
        std::fprintf(stderr, "tamrow: %s\n", line.c_str());
    complained_ = true;
}

void SettingsFile::keep(const Settings& now)
{
    if (now == written_ || path_.empty())
        return;
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), made);
    const std::string failure = made ? made.message() : writeFileAtomically(path_, now.text());
    if (failure.empty())
        written_ = now;
    else
        say("cannot save the settings to " + path_ + " (" + failure + "); playing on");
}

std::string SettingsFile::defaultPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder;
    if (config && config[0] == '/')
        folder = config;
    else if (home && home[0] != '\0')
        folder = std::string(home) + "/.config";
    return folder.empty() ? std::string() : folder + "/tamrow/settings.ini";
}
} // namespace tamrow
