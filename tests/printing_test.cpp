// Printing: the print dialog, and a text area's styled text drawn block by
// block onto a Graphics.
#include "framework/dialogs.h"
#include "framework/printing_qt.h"
#include "framework/text_area.h"
#include "tests/gui_test_support.h"

#include <QImage>
#include <QPrintDialog>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrinterDialog, OfTheDesktopGivesNoGraphicsWhenTheUserCancels) {
    WithTheDesktop desktop;
    bool printDialog = false;
    OnNextModalWindow([&](QWidget* dialog) {
        printDialog = qobject_cast<QPrintDialog*>(dialog) != nullptr;
        dialog->close();
    });
    EXPECT_EQ(fw::OpenPrinterDialog(), nullptr);
    EXPECT_TRUE(printDialog);
}

// The count of pixels darker than the white background within the rectangle.
int InkIn(const QImage& image, QRect area) {
    int ink = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ink += qGray(image.pixel(x, y)) < 200;
    return ink;
}

// A white page of 96 pixels per inch, on which 540 points are 720 pixels,
// and a text far taller and wider than a block of that size.
class StyledTextPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        page.setDotsPerMeterX(3780);
        page.setDotsPerMeterY(3780);
        page.fill(Qt::white);
        std::string text;
        for (int line = 0; line < 200; ++line) text += "Line " + std::to_string(line) + " " + std::string(200, 'W') + "\r";
        area.SetText(text);
    }

    // Draws the blocks and ends the painting.
    void Print(std::initializer_list<std::pair<double, double>> blocks) {
        auto graphics = std::make_shared<fw::Graphics>(std::make_unique<fw::Graphics::Device>(page));
        auto printer = area.StyledTextPrinter(graphics, 540);
        for (auto [top, height] : blocks) printer->DrawBlock(0, top, height);
    }

    QImage page{1200, 1600, QImage::Format_RGB32};
    fw::TextArea area;
};

TEST_F(StyledTextPrinting, DrawsOneBlockAtMostAndTheNextWhereTheFirstEnded) {
    Print({{0, 540}, {600, 540}});
    EXPECT_GT(InkIn(page, QRect(0, 0, 720, 720)), 0);
    EXPECT_EQ(InkIn(page, QRect(720, 0, 480, 1600)), 0) << "right of the blocks";
    EXPECT_EQ(InkIn(page, QRect(0, 720, 720, 80)), 0) << "between the blocks";
    EXPECT_GT(InkIn(page, QRect(0, 800, 720, 720)), 0) << "the second block";
    EXPECT_EQ(InkIn(page, QRect(0, 1520, 720, 80)), 0) << "below the second block";
}

TEST_F(StyledTextPrinting, DrawsNothingWhenNotEvenOneLineFits) {
    Print({{0, 1}});
    EXPECT_EQ(InkIn(page, page.rect()), 0);
}

TEST_F(StyledTextPrinting, NeedsAGraphics) {
    EXPECT_THROW(area.StyledTextPrinter(nullptr, 540), fw::NilObjectException);
}

}  // namespace
