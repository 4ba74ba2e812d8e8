// Where the game looks for its images; the first folder holding a map file wins.

#include "city/ImageFolder.hpp"
#include "support/BuildPaths.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tamrow
{
TEST(ImageFolderTest, TheFirstCandidateHoldingAMapFileWinsWhateverTheFileHolds)
{
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string installed =
        std::filesystem::path(program).parent_path().parent_path().string() + "/share/tamrow/image/";
    ASSERT_EQ(setenv("TAMROW_DATA_DIR", "/opt/pictures", 1), 0);
    EXPECT_EQ(imageFolderCandidates(),
              (std::vector<std::string>{"/opt/pictures/", "./resources/image/", installed,
                                        std::string(SourceFolder) + "/resources/image/"}));
    ASSERT_EQ(setenv("TAMROW_DATA_DIR", "", 1), 0);
    EXPECT_EQ(imageFolderCandidates().front(), "./resources/image/") << "set empty counts as unset";
    unsetenv("TAMROW_DATA_DIR");

    // An empty map file counts; a folder named as the map file does not.
    const TempFolder root;
    const auto folder = [&root](const char* name) { return root.path + "/" + name + "/"; };
    for (const char* name : {"none", "dir", "empty", "later"})
        std::filesystem::create_directory(folder(name));
    std::filesystem::create_directory(folder("dir") + MapImageFile);
    std::ofstream(folder("empty") + MapImageFile);
    std::ofstream(folder("later") + MapImageFile);
    EXPECT_EQ(findImageFolder({folder("none"), folder("dir"), folder("empty"), folder("later")}), folder("empty"));
    EXPECT_EQ(findImageFolder({folder("later"), folder("empty")}), folder("later"));
    EXPECT_EQ(findImageFolder({folder("none"), folder("dir")}), std::nullopt);
}
} // namespace tamrow
