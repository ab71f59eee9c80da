#include "framework/qt_conversions.h"

namespace fw {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

String FromQString(const QString& text) { return text.toStdString(); }

// The four colour bytes are red, green and blue, then a fourth byte that
// layout data always leaves 0, meaning opaque.
QColor ToQColor(const Color& color) {
    return QColor(color.red, color.green, color.blue, 255 - color.transparency);
}

Qt::Alignment HorizontalAlignment(std::int64_t alignment) {
    switch (alignment) {
        case 2: return Qt::AlignHCenter;
        case 3: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

}  // namespace fw
