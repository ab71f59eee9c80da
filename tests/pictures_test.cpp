// The pictures: loading from the application's resources, and the two
// accessors' caches. The caches live for the whole process, and each test
// runs in a process of its own, so every test starts with empty caches.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "framework/picture.h"
#include "framework/picture_qt.h"
#include "shell/pictures.h"
#include "tests/gui_test_support.h"

TEST(PictureTest, BuiltInPicturesAreTheSizeOfTheirCanvases) {
    struct Case { const char* name; std::function<std::shared_ptr<fw::Picture>()> accessor; int width, height; };
    for (const Case& c : {Case{"Info32.png", Info32, 32, 32}, Case{"Rovi96.png", Rovi96, 100, 105}}) {
        SCOPED_TRACE(c.name);
        auto picture = c.accessor();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), c.width);
        EXPECT_EQ(picture->Height(), c.height);
        // Drawn on a transparent ground, so either sits well on any window.
        const QImage& image = fw::ImageOf(*picture);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(c.width / 2, c.height / 2)), 255);
    }
}

// The tests' own resources stand beside the application's (tests/pictures).
TEST(PictureTest, OpenFromAppReadsOnlyPlainFileNamesInTheRoot) {
    auto dot = fw::Picture::OpenFromApp("Dot.png");
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(dot->Width(), 3);
    EXPECT_EQ(dot->Height(), 2);
    for (const char* name : {"Missing.png", "Broken.png", "Empty.png", "", ".", "..",
                             "../Dot.png", "folder/Dot.png", "./Dot.png", "/Dot.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fw::Picture::OpenFromApp(name), nullptr);
    }
}

TEST(PictureTest, AccessorReturnsTheSamePictureOnceLoaded) {
    auto first = Info32();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Info32(), first);
    // Kept for good: a resource that goes missing later does not matter.
    WithoutTheApplicationsPictures missing;
    EXPECT_EQ(Info32(), first);
}

TEST(PictureTest, AccessorTriesAgainAfterAFailedLoad) {
    {
        WithoutTheApplicationsPictures missing;
        EXPECT_EQ(Info32(), nullptr);
        EXPECT_EQ(Info32(), nullptr);
    }
    auto loaded = Info32();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Info32(), loaded);
}

TEST(PictureTest, AccessorsKeepSeparateCaches) {
    auto about = Rovi96();
    ASSERT_NE(about, nullptr);
    {
        WithoutTheApplicationsPictures missing;
        EXPECT_EQ(Info32(), nullptr);
        EXPECT_EQ(Rovi96(), about);
    }
    auto info = Info32();
    ASSERT_NE(info, nullptr);
    EXPECT_NE(info, about);
    EXPECT_EQ(Rovi96(), about);
}
