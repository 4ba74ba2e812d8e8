// Where the game looks for its images: $TAMROW_DATA_DIR, the working directory's
// resources/image/, the share/ folder beside the program's bin/, the build's
// sources; the first holding a map file wins. Needs no display.

#include "city/ImageFolder.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
std::string folderWith(const TempFolder& root, const std::string& name, const char* mapFile)
{
    const std::filesystem::path folder = std::filesystem::path(root.path) / name;
    std::filesystem::create_directories(folder);
    if (mapFile != nullptr)
        std::ofstream(folder / mapFile);
    return folder.string() + "/";
}
} // namespace

TEST(ImageFolderTest, CandidatesComeInTheirOrderEachEndingWithASlash)
{
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string installed =
        std::filesystem::path(program).parent_path().parent_path().string() + "/share/tamrow/image/";
    ASSERT_EQ(setenv("TAMROW_DATA_DIR", "/opt/pictures", 1), 0);
    EXPECT_EQ(imageFolderCandidates(),
              (std::vector<std::string>{"/opt/pictures/", "./resources/image/", installed,
                                        std::string(TAMROW_SOURCE_DIR) + "/resources/image/"}));
    unsetenv("TAMROW_DATA_DIR");
    EXPECT_EQ(imageFolderCandidates().front(), "./resources/image/");
    EXPECT_EQ(imageFolderCandidates().size(), 3u);
}

TEST(ImageFolderTest, TheFirstFolderHoldingAMapFileWinsWhateverTheFileHolds)
{
    TempFolder root;
    const std::string none = folderWith(root, "none", nullptr);
    const std::string folderNamedAsMap = folderWith(root, "dir", nullptr);
    std::filesystem::create_directory(folderNamedAsMap + "08_map.png");
    const std::string emptyMap = folderWith(root, "empty", "08_map.png");
    const std::string later = folderWith(root, "later", "08_map.png");

    EXPECT_EQ(findImageFolder({none, folderNamedAsMap, emptyMap, later}), emptyMap);
    EXPECT_EQ(findImageFolder({later, emptyMap}), later);
    EXPECT_EQ(findImageFolder({none, folderNamedAsMap}), std::nullopt);
    EXPECT_EQ(findImageFolder({}), std::nullopt);
}
