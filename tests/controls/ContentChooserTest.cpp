// The pieces of the content chooser: the shortened path of its name field
// and the open dialog's preview pane.
#include <gtest/gtest.h>

#include "controls/PathShortening.h"
#include "controls/VtContentThumbnail.h"
#include "tests/controls/TestWindows.h"

namespace {

// A field that holds `n` characters.
std::function<bool(const std::string&)> FitsIn(std::size_t n) {
    return [n](const std::string& text) { return text.size() <= n; };
}

}  // namespace

TEST(PathShortening, DrivePathsKeepTheDriveAndTheLastFoldersThatFit) {
    const std::string path = "C:\\Program Files\\Mornebrook\\Content\\Tubes\\Stars.tub";
    EXPECT_EQ(ShortenedPath(path, FitsIn(path.size())), path);
    EXPECT_EQ(ShortenedPath(path, FitsIn(41)), "C:\\...\\Mornebrook\\Content\\Tubes\\Stars.tub");
    EXPECT_EQ(ShortenedPath(path, FitsIn(40)), "C:\\...\\Content\\Tubes\\Stars.tub");
    EXPECT_EQ(ShortenedPath(path, FitsIn(22)), "C:\\...\\Tubes\\Stars.tub");
    // Nothing fits: the file name alone after the ellipsis, never cut.
    EXPECT_EQ(ShortenedPath(path, FitsIn(3)), "C:\\...\\Stars.tub");
}

TEST(PathShortening, NetworkPathsKeepTheServer) {
    const std::string path = "\\\\server\\share\\effects\\frames\\Gold.rfr";
    EXPECT_EQ(ShortenedPath(path, FitsIn(30)), "\\\\server\\...\\frames\\Gold.rfr");
    EXPECT_EQ(ShortenedPath(path, FitsIn(10)), "\\\\server\\...\\Gold.rfr");
}

TEST(PathShortening, ColonPathsAreShortenedAtTheirColons) {
    const std::string path = "Disk:Effects:Textures:Canvas.jpg";
    EXPECT_EQ(ShortenedPath(path, FitsIn(28)), "Disk:...:Textures:Canvas.jpg");
    EXPECT_EQ(ShortenedPath(path, FitsIn(20)), "Disk:...:Canvas.jpg");
    // A bare file name stays as it is, fitting or not.
    EXPECT_EQ(ShortenedPath("Canvas.jpg", FitsIn(4)), "Canvas.jpg");
}

TEST(ContentThumbnail, LargePicturesShrinkToFitAndSmallOnesStayCentred) {
    // A 104 x 84 pane: 100 x 80 inside its frame.
    const RECT pane{0, 0, 104, 84};
    const RECT wide = ContentThumbnailPlacement(pane, 400, 100);
    EXPECT_EQ(wide.right - wide.left, 100);
    EXPECT_EQ(wide.bottom - wide.top, 25);
    EXPECT_EQ(wide.left, 2);
    EXPECT_EQ(wide.top, 2 + (80 - 25) / 2);
    const RECT tall = ContentThumbnailPlacement(pane, 50, 160);
    EXPECT_EQ(tall.right - tall.left, 25);
    EXPECT_EQ(tall.bottom - tall.top, 80);
    const RECT small = ContentThumbnailPlacement(pane, 20, 10);
    EXPECT_EQ(small.right - small.left, 20);
    EXPECT_EQ(small.left, 2 + 40);
    EXPECT_EQ(small.top, 2 + 35);
}

TEST(ContentThumbnail, ThePaneShowsAndClearsPictures) {
    ASSERT_TRUE(RegisterContentThumbnailClass());
    TestParentWindow parent;
    HWND pane = CreateWindowExW(0, kContentThumbnailClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 104, 84, parent.Hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(pane, nullptr);
    SIZE size{};
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));

    ResultCode status;
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 20, 30),
                                 status);  // top, left, bottom, right
    ASSERT_TRUE(status.IsSuccess());
    SendMessageW(pane, kContentThumbnailShow, 0, reinterpret_cast<LPARAM>(&picture));
    ASSERT_TRUE(ContentThumbnailPicture(pane, size));
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 20);
    UpdateWindow(pane);  // paints without trouble

    SendMessageW(pane, kContentThumbnailClear, 0, 0);
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));
    // A picture without colour channels is no picture.
    Image<unsigned char> mask(ChannelLayout::SingleChannel(), Rect(0, 0, 5, 5), status);
    SendMessageW(pane, kContentThumbnailShow, 0, reinterpret_cast<LPARAM>(&mask));
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));
    DestroyWindow(pane);
    UnregisterContentThumbnailClass();
}
