// Framework-internal: the framework's texts, colours and alignments as Qt's.
#pragma once

#include "framework/property_types.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <string_view>

namespace fw {

QString ToQString(std::string_view text);
String FromQString(const QString& text);
QColor ToQColor(const Color& color);

// A layout's text alignment (0 default, 1 left, 2 centred, 3 right) as Qt's.
Qt::Alignment HorizontalAlignment(std::int64_t alignment);

}  // namespace fw
