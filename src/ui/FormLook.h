// The window layer's fonts, colours and texts as Qt takes them.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string_view>

#include "Description.h"

namespace zanvoro {

QColor ColourOf(forms::Colour colour);
QFont FontOf(const forms::Font& font);
inline QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

}  // namespace zanvoro
