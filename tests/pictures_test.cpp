// The pictures: loading from the application's resources, and the two
// accessors' caches. The caches live for the whole process, and each test
// runs in a process of its own, so every test starts with empty caches.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include "framework/picture.h"
#include "framework/picture_qt.h"
#include "shell/pictures.h"

namespace {

const char* const kBuiltIn = ":/";
const char* const kNowhere = "/nonexistent/tesmora-resources";

// Points the resource root elsewhere for the length of a test.
class ResourceRootScope {
public:
    explicit ResourceRootScope(std::string root) { fw::SetAppResourceRoot(std::move(root)); }
    ~ResourceRootScope() { fw::SetAppResourceRoot(kBuiltIn); }
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

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

TEST(PictureTest, OpenFromAppReadsOnlyPlainFileNamesInTheRoot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("resources"));
    QImage(3, 2, QImage::Format_ARGB32).save(dir.filePath("resources/Dot.png"));
    QImage(3, 2, QImage::Format_ARGB32).save(dir.filePath("Outside.png"));
    WriteFile(dir.filePath("resources/Broken.png"), "\x89PNG\r\n\x1a\n not really");
    WriteFile(dir.filePath("resources/Empty.png"), "");
    // No trailing slash: the root is a folder either way.
    ResourceRootScope scope(dir.filePath("resources").toStdString());

    auto dot = fw::Picture::OpenFromApp("Dot.png");
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(dot->Width(), 3);
    EXPECT_EQ(dot->Height(), 2);
    for (const char* name : {"Missing.png", "Broken.png", "Empty.png", "", ".", "..",
                             "../Outside.png", "resources/Dot.png", "./Dot.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fw::Picture::OpenFromApp(name), nullptr);
    }
}

TEST(PictureTest, AccessorReturnsTheSamePictureOnceLoaded) {
    auto first = Info32();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Info32(), first);
    // Kept for good: a resource that goes missing later does not matter.
    ResourceRootScope scope(kNowhere);
    EXPECT_EQ(Info32(), first);
}

TEST(PictureTest, AccessorTriesAgainAfterAFailedLoad) {
    {
        ResourceRootScope scope(kNowhere);
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
        ResourceRootScope scope(kNowhere);
        EXPECT_EQ(Info32(), nullptr);
        EXPECT_EQ(Rovi96(), about);
    }
    auto info = Info32();
    ASSERT_NE(info, nullptr);
    EXPECT_NE(info, about);
    EXPECT_EQ(Rovi96(), about);
}
