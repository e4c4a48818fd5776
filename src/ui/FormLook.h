// The window layer's fonts and colours as Qt draws them.
#pragma once

#include <QColor>
#include <QFont>

#include "Description.h"

namespace zanvoro {

QColor ColourOf(forms::Colour colour);
QFont FontOf(const forms::Font& font);

}  // namespace zanvoro
