// The toolkit side of printing. Only framework code and tests include this
// header.
#pragma once

#include "framework/printing.h"

#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace fw {

struct Graphics::Device {
    // A printer whose job this Graphics is.
    explicit Device(std::unique_ptr<QPrinter> printer);
    // Any other surface, such as an image; it must outlive the Graphics.
    explicit Device(QPaintDevice& surface);
    // Ends painting, which finishes the print job.
    ~Device();

    QPaintDevice& Surface() const { return *surface; }
    // The painter on the surface, begun on first use.
    QPainter& Painter();
    double PixelsPerPoint() const { return surface->logicalDpiY() / 72.0; }

    std::unique_ptr<QPrinter> printer;
    QPaintDevice* surface;
    QPainter painter;
};

struct StyledTextPrinter::Layout {
    // A copy of the text area's document, laid out for the Graphics'
    // surface, in its device pixels.
    std::unique_ptr<QTextDocument> document;
    // How many lines earlier blocks have drawn.
    std::size_t linesDrawn = 0;
};

}  // namespace fw
