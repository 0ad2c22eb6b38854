// Remembering content files relative to the plug-in folder and finding them
// again, with expected paths written out by hand.
#include "content/ContentFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/LocalPath.h"
#include "tests/content/ContentFixtures.h"

namespace {

namespace fs = std::filesystem;

ContentReference Reference(unsigned char relative, const std::string& path) {
    ContentReference reference;
    reference.relative = relative;
    EXPECT_TRUE(SetReferencePath(reference, path));
    return reference;
}

TEST(ContentFolders, ContentFolderIsTheContentFolderOfThePluginFolder) {
    EXPECT_EQ(ContentFolders("C:\\Plug-ins\\Dapple\\").pluginFolder(), "C:\\Plug-ins\\Dapple");
    EXPECT_EQ(ContentFolders("C:\\Plug-ins\\Dapple").contentFolder(), "C:\\Plug-ins\\Dapple\\Content\\");
    EXPECT_EQ(ContentFolders("/opt/dapple//").contentFolder(), "/opt/dapple\\Content\\");
}

struct StoreCase {
    const char* what;
    const char* pluginFolder;
    const char* chosen;
    unsigned char relative;
    const char* stored;
};

TEST(ContentFolders, StoresFilesInsideThePluginFolderRelativeAndOthersAbsolute) {
    const StoreCase cases[] = {
        {"inside, Windows", "C:\\Plug-ins\\Dapple", "C:\\Plug-ins\\Dapple\\Content\\Tubes\\Stars.tub", 1,
         "\\Content\\Tubes\\Stars.tub"},
        {"inside, other letter case", "C:\\Plug-ins\\Dapple", "c:\\PLUG-INS\\dapple\\Content\\Stars.tub", 1,
         "\\Content\\Stars.tub"},
        {"inside, slashes", "/opt/Dapple", "/opt/Dapple/Content/Tiles/Mosaic.ptl", 1, "\\Content\\Tiles\\Mosaic.ptl"},
        {"inside, case and mixed separators", "/opt/Dapple", "/OPT\\dapple/Content/x.jpg", 1, "\\Content\\x.jpg"},
        {"elsewhere", "C:\\Plug-ins\\Dapple", "D:\\My Tubes\\Hearts.tub", 0, "D:\\My Tubes\\Hearts.tub"},
        {"elsewhere, slashes kept", "/opt/Dapple", "/home/me/tubes/Hearts.tub", 0, "/home/me/tubes/Hearts.tub"},
        {"a sibling sharing the folder's name", "C:\\Dapple", "C:\\Dapple2\\Stars.tub", 0, "C:\\Dapple2\\Stars.tub"},
        {"the plug-in folder itself", "C:\\Dapple", "C:\\Dapple", 0, "C:\\Dapple"},
        {"shorter than the folder", "C:\\Dapple", "C:\\", 0, "C:\\"},
    };
    for (const StoreCase& c : cases) {
        ContentReference reference = Reference(1, "\\old.tub");
        reference.carried = 0x5a;
        ASSERT_TRUE(ContentFolders(c.pluginFolder).store(c.chosen, reference).IsSuccess()) << c.what;
        EXPECT_EQ(reference.relative, c.relative) << c.what;
        EXPECT_EQ(ReferencePath(reference), c.stored) << c.what;
        EXPECT_EQ(reference.carried, 0x5a) << c.what;
    }
}

TEST(ContentFolders, RefusesAPathTooLongToStoreAndKeepsTheReference) {
    const ContentFolders folders("C:\\Dapple");
    ContentReference reference = Reference(1, "\\Content\\Stars.tub");
    const std::string longest = "D:\\" + std::string(kContentReferenceMaxPath - 3, 'a');
    EXPECT_TRUE(folders.store(longest, reference).IsSuccess());
    EXPECT_EQ(ReferencePath(reference), longest);

    const ContentReference before = Reference(1, "\\Content\\Stars.tub");
    reference = before;
    EXPECT_EQ(folders.store(longest + "a", reference).status, ResultCode::kFailure);
    EXPECT_EQ(reference.relative, 1);
    EXPECT_EQ(ReferencePath(reference), "\\Content\\Stars.tub");
}

struct ResolveCase {
    const char* what;
    unsigned char relative;
    const char* stored;
    const char* resolved;
};

TEST(ContentFolders, ResolvesRelativeReferencesInThePluginFolder) {
    const ContentFolders folders("C:\\Plug-ins\\Dapple");
    const ResolveCase cases[] = {
        {"backslashes", 1, "\\Content\\Tubes\\Stars.tub", "C:\\Plug-ins\\Dapple\\Content\\Tubes\\Stars.tub"},
        {"colons", 1, ":Content:Tubes:Stars.tub", "C:\\Plug-ins\\Dapple\\Content\\Tubes\\Stars.tub"},
        {"two colons, no leading one", 1, "Content:Stars.tub:", "C:\\Plug-ins\\Dapple\\Content\\Stars.tub\\"},
        {"one colon is kept", 1, "\\Content\\Odd:name.tub", "C:\\Plug-ins\\Dapple\\Content\\Odd:name.tub"},
        {"no leading separator", 1, "Content\\Stars.tub", "C:\\Plug-ins\\Dapple\\Content\\Stars.tub"},
        {"absolute", 0, "D:\\Tubes\\Hearts.tub", "D:\\Tubes\\Hearts.tub"},
        {"absolute with colons", 0, "Disk:Tubes:Hearts.tub", "Disk:Tubes:Hearts.tub"},
    };
    for (const ResolveCase& c : cases) {
        EXPECT_EQ(folders.resolve(Reference(c.relative, c.stored)), c.resolved) << c.what;
    }
}

TEST(ContentFolders, ReadsAPathThatFillsTheWholeField) {
    ContentReference reference;
    reference.relative = 0;
    std::fill(std::begin(reference.path), std::end(reference.path), 'x');
    reference.carried = 'y';
    EXPECT_EQ(ContentFolders("C:\\Dapple").resolve(reference), std::string(sizeof reference.path, 'x'));
}

// A real plug-in folder with a content file, stored, then moved.
class MovedPluginFolder : public ContentTest {
protected:
    void SetUp() override {
        ContentTest::SetUp();
        fs::create_directories(folder_ / "Before" / "Content" / "Tubes");
        std::ofstream(folder_ / "Before" / "Content" / "Tubes" / "Stars.tub") << "stars";
        fs::create_directories(folder_ / "Elsewhere");
        std::ofstream(folder_ / "Elsewhere" / "Hearts.tub") << "hearts";
    }

    static std::string Contents(const std::string& path) {
        std::ifstream file(LocalPath(path));
        std::string text;
        std::getline(file, text);
        return text;
    }
};

TEST_F(MovedPluginFolder, KeepsRelativeReferencesWorking) {
    const ContentFolders before((folder_ / "Before").string());
    ContentReference inside;
    ContentReference outside;
    ASSERT_TRUE(before.store((folder_ / "Before" / "Content" / "Tubes" / "Stars.tub").string(), inside).IsSuccess());
    ASSERT_TRUE(before.store((folder_ / "Elsewhere" / "Hearts.tub").string(), outside).IsSuccess());
    EXPECT_EQ(inside.relative, 1);
    EXPECT_EQ(ReferencePath(inside), "\\Content\\Tubes\\Stars.tub");
    EXPECT_EQ(outside.relative, 0);
    EXPECT_EQ(Contents(before.resolve(inside)), "stars");

    fs::rename(folder_ / "Before", folder_ / "After");
    const ContentFolders after((folder_ / "After").string());
    EXPECT_EQ(Contents(after.resolve(inside)), "stars");
    EXPECT_EQ(Contents(after.resolve(outside)), "hearts");
}

TEST(RunningPluginFolders, AreTheFoldersOfThisModule) {
    std::string plugin;
    std::string content;
    ASSERT_TRUE(pluginFolder(plugin).IsSuccess());
    ASSERT_TRUE(contentFolder(content).IsSuccess());
    ASSERT_FALSE(plugin.empty());
    EXPECT_NE(plugin.back(), '/');
    EXPECT_NE(plugin.back(), '\\');
    EXPECT_EQ(content, plugin + "\\Content\\");
    EXPECT_TRUE(fs::is_directory(LocalPath(plugin)));

    ContentReference reference;
    ASSERT_TRUE(store(plugin + "\\Content\\Textures\\Canvas.jpg", reference).IsSuccess());
    EXPECT_EQ(reference.relative, 1);
    std::string resolved;
    ASSERT_TRUE(resolve(reference, resolved).IsSuccess());
    EXPECT_EQ(resolved, plugin + "\\Content\\Textures\\Canvas.jpg");
}

}  // namespace
