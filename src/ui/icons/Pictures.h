// The program icon and the close button's door picture as shapes (Qt Gui only).
#pragma once

#include <QRectF>

class QPainter;

namespace zanvoro {

// The side of the square whole-pixel grid each picture is designed on, its size at 1×.
inline constexpr int kProgramIconSide = 32;
inline constexpr int kDoorPictureSide = 18;

// The round blue face with two large eyes and a small red mouth, drawn to fill `target`
// (square). The windows, the theme's PNGs and the scalable theme icon all come from it.
void PaintProgramIcon(QPainter& painter, const QRectF& target);

// The open door under a green exit sign of the 終了 button, drawn to fill `target` (square).
void PaintDoorPicture(QPainter& painter, const QRectF& target);

}  // namespace zanvoro
