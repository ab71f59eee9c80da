// The toolkit side of a Picture, for the window layer that draws it.
// Only framework code includes this header.
#pragma once

#include <QImage>

#include "framework/picture.h"

namespace fw {

class Picture::Data {
public:
    explicit Data(QImage image) : image(std::move(image)) {}
    QImage image;
};

inline const QImage& ImageOf(const Picture& picture) { return picture.Pixels().image; }

}  // namespace fw
