#include "framework/pasting.h"

#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <string>

namespace fw {

QString ClipboardText(QClipboard::Mode mode) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData(mode) : nullptr;
    if (!data) return {};
    const QStringList formats = data->formats();
    const bool text = std::any_of(formats.begin(), formats.end(),
                                  [](const QString& f) { return f.startsWith(QLatin1String("text/plain")); });
    return text ? data->text() : QString();
}

QString Incoming(const QString& text, bool oneLine) {
    std::u32string kept;
    kept.reserve(std::size_t(text.size()));
    for (const uint code : text.toUcs4()) {
        const QChar::Category category = QChar::category(char32_t(code));
        if (category == QChar::Other_Format) continue;
        const bool lineBreak = category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
                               (category == QChar::Other_Control && code != '\t');
        const bool space = category == QChar::Separator_Space || (oneLine && lineBreak);
        kept += space ? U' ' : char32_t(code);
    }
    return QString::fromUcs4(kept.data(), qsizetype(kept.size()));
}

}  // namespace fw
