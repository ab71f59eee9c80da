#include "framework/picture.h"

#include <QImage>
#include <QString>

#include "framework/picture_qt.h"

namespace fw {

namespace {

std::string& ResourceRoot() {
    static std::string root = ":/";
    return root;
}

// A plain file name: no folder part, not "." or "..".
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

QString PathInResources(std::string_view fileName) {
    std::string path = ResourceRoot();
    if (!path.empty() && path.back() != '/') path += '/';
    path += fileName;
    return QString::fromStdString(path);
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

void SetAppResourceRoot(std::string root) { ResourceRoot() = std::move(root); }

}  // namespace fw
