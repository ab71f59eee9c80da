// Printing: the print dialog (dialogs.h) gives a Graphics for the chosen
// printer; a text area's StyledTextPrinter lays its styled text out for that
// printer and draws it block by block. Lengths are in points (1/72 inch);
// (0, 0) is the top left of the page's printable area.
#pragma once

#include <memory>

namespace fw {

// A surface to draw on: the pages of one print job. The job ends, and what
// was drawn goes to the printer, when the last reference goes.
class Graphics {
public:
    // The toolkit side; complete only in printing_qt.h, so that code outside
    // the framework never sees the toolkit.
    struct Device;

    explicit Graphics(std::unique_ptr<Device> device);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Device& Target() const { return *device_; }

private:
    std::unique_ptr<Device> device_;
};

// A snapshot of a text area's styled text, laid out for one Graphics at a
// fixed width (made by TextArea::StyledTextPrinter). Later edits of the
// text area do not reach it.
class StyledTextPrinter {
public:
    struct Layout;  // the toolkit side

    StyledTextPrinter(std::shared_ptr<Graphics> graphics, std::unique_ptr<Layout> layout);
    ~StyledTextPrinter();

    // Draws the next block of the text with its top left corner at (x, y):
    // the whole lines that fit into `height`, starting where the previous
    // block ended. A line taller than the block is not drawn.
    void DrawBlock(double x, double y, double height);

private:
    std::shared_ptr<Graphics> graphics_;
    std::unique_ptr<Layout> layout_;
};

}  // namespace fw
