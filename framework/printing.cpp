#include "framework/printing_qt.h"

#include "framework/object.h"

#include <QTextBlock>
#include <QTextLayout>

#include <vector>

namespace fw {

namespace {

// Every line of the document, top to bottom, in document coordinates.
std::vector<QRectF> LaidOutLines(QTextDocument& document) {
    document.size();  // lays the whole document out
    std::vector<QRectF> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            lines.push_back(layout->lineAt(i).rect().translated(layout->position()));
    }
    return lines;
}

}  // namespace

Graphics::Device::Device(std::unique_ptr<QPrinter> owned) : printer(std::move(owned)), surface(printer.get()) {}

Graphics::Device::Device(QPaintDevice& target) : surface(&target) {}

Graphics::Device::~Device() {
    if (painter.isActive()) painter.end();
}

// A printer that cannot start (an output file that cannot be written) leaves
// the painter inactive; drawing on it then does nothing.
QPainter& Graphics::Device::Painter() {
    if (!painter.isActive()) painter.begin(surface);
    return painter;
}

Graphics::Graphics(std::unique_ptr<Device> device) : device_(std::move(device)) {}

Graphics::~Graphics() = default;

StyledTextPrinter::StyledTextPrinter(std::shared_ptr<Graphics> graphics, std::unique_ptr<Layout> layout)
    : graphics_(std::move(graphics)), layout_(std::move(layout)) {}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::DrawBlock(double x, double y, double height) {
    CheckUIThread();
    Graphics::Device& device = graphics_->Target();
    const double scale = device.PixelsPerPoint();
    QTextDocument& document = *layout_->document;
    const std::vector<QRectF> lines = LaidOutLines(document);

    const std::size_t first = layout_->linesDrawn;
    std::size_t end = first;
    while (end < lines.size() && lines[end].bottom() - lines[first].top() <= height * scale) ++end;
    if (end == first) return;  // an empty clip would let everything through

    const qreal top = lines[first].top();
    const QRectF block(0, top, document.textWidth(), lines[end - 1].bottom() - top);
    QPainter& painter = device.Painter();
    painter.save();
    painter.translate(x * scale, y * scale - top);
    document.drawContents(&painter, block);
    painter.restore();
    layout_->linesDrawn = end;
}

}  // namespace fw
