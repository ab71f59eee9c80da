#include "framework/picture.h"

#include <QImage>
#include <QString>

#include "framework/picture_qt.h"

namespace fw {

namespace {

// A plain file name: no folder part, not "." or "..".
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

// The resources built into the executable stand at ":/".
QString PathInResources(std::string_view fileName) {
    return QStringLiteral(":/") + QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
}

}  // namespace

Picture::Picture(std::unique_ptr<Data> data) : data_(std::move(data)) {}
Picture::~Picture() = default;

int Picture::Width() const { return data_->image.width(); }
int Picture::Height() const { return data_->image.height(); }

std::shared_ptr<Picture> Picture::OpenFromApp(std::string_view fileName) {
    if (!IsPlainFileName(fileName)) return nullptr;
    QImage image;
    if (!image.load(PathInResources(fileName)) || image.isNull()) return nullptr;
    return std::make_shared<Picture>(std::make_unique<Data>(std::move(image)));
}

}  // namespace fw
