// Pictures: images that windows show, such as a canvas's backdrop.
#pragma once

#include <memory>
#include <string_view>

namespace fw {

class Picture {
public:
    // The pixels in the toolkit's own form; complete only in picture_qt.h,
    // so that code outside the framework never sees the toolkit.
    class Data;

    explicit Picture(std::unique_ptr<Data> data);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;
    const Data& Pixels() const { return *data_; }

    // Loads the picture of that file name from the application's resources,
    // the files built into the executable.
    // Gives nullptr when it is missing or cannot be read, and for a name
    // with a folder part, which could reach outside the resources.
    static std::shared_ptr<Picture> OpenFromApp(std::string_view fileName);

private:
    std::unique_ptr<Data> data_;
};

}  // namespace fw
