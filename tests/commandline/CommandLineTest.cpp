// The command line: what the fuzzer found, --help's settings, and the texts that
// list the actions' table (--help, the README, the manual page).
#include "commandline/CommandLine.hpp"
#include "play/Actions.hpp"
#include "settings/Settings.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

namespace tamrow
{
TEST(ActionsTable, TheReadmeHelpAndManualPageListExactlyItsRows)
{
    std::set<std::pair<std::string, std::string>> rows;
    for (const ActionRow& row : Actions)
        rows.insert({usKeysOf(row.action), row.name});
    // Each text's listed keys and action names, one row per line.
    const auto listed = [](const std::string& text, const std::regex& row) {
        std::set<std::pair<std::string, std::string>> found;
        for (auto match = std::sregex_iterator(text.begin(), text.end(), row); match != std::sregex_iterator(); ++match)
            found.insert({std::regex_replace(std::regex_replace((*match)[1].str(), std::regex(R"(\\&)"), ""),
                                             std::regex(R"(\\-)"), "-"),
                          (*match)[2].str()});
        return found;
    };
    const std::string help = helpText({}, "", "");
    EXPECT_EQ(listed(help, std::regex(R"(\n  (\S+(?:, \S+)?) +([a-z]+_?[a-z_]*) {2,})")), rows);
    const std::string readme = fileContent(std::string(SourceFolder) + "/README.md");
    EXPECT_EQ(listed(readme, std::regex(R"(\n\| ([^|]+?) \| `([a-z_]+)` \|)")), rows);
    const TempFolder folder;
    ASSERT_EQ(runCommand({"sh", "-c", "zcat " + std::string(BuildFolder) + "/tamrow.6.gz > " + folder.path + "/page"}), 0);
    const std::string page = fileContent(folder.path + "/page");
    EXPECT_EQ(listed(page, std::regex(R"(\.TP\n\.B (.+)\n\\fB([a-z_]+)\\fR:)")), rows);
    for (const std::string& text : {help, page})
        EXPECT_NE(text.find(KeysByPlace), std::string::npos);
}

TEST(CommandLineFinds, WhatTheFuzzerFoundIsPlayedOrRefusedInOneLine)
{
    // Each file: the arguments, split at zero bytes, as fuzz_command_line tried them.
    const std::string finds = std::string(SourceFolder) + "/tests/commandline/fuzz-finds";
    for (const auto& file : std::filesystem::directory_iterator(finds))
    {
        std::vector<std::string> arguments(1);
        for (const char c : fileContent(file.path().string()))
        {
            if (c == '\0')
                arguments.emplace_back();
            else
                arguments.back().push_back(c);
        }
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_EQ(line.action == CommandLine::Action::Refuse, !line.refusal.empty()) << file.path();
        EXPECT_EQ((line.refusal + line.recordTo + line.replayFrom).find('\n'), std::string::npos) << file.path();
    }
    EXPECT_EQ(parseCommandLine({"--replay", "a\nb"}).refusal,
              "tamrow: the file name 'a\\x0Ab' has a line break or another control character (try tamrow --help)");
    EXPECT_EQ(parseCommandLine({"--record", ""}).action, CommandLine::Action::Refuse) << "a recording to nowhere";
}

TEST(CommandLineHelp, ListsEverySettingWithItsRangeAndNamesTheHeadlessReplay)
{
    const std::string help = helpText({"/images/"}, "/images/", "/home/x/.config/tamrow/settings.ini");
    for (const SettingRule& rule : SettingRules)
        EXPECT_NE(help.find("\n  " + std::string(rule.name) + " "), std::string::npos) << rule.name;
    EXPECT_NE(help.find("window_width  160 to 16384, at first 1600\n"), std::string::npos) << help;
    EXPECT_NE(help.find("tamrow_headless --replay FILE"), std::string::npos) << help;
}
} // namespace tamrow
