// The program icon and the close button's door picture, drawn from shapes at any pixel density.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;
class QWidget;

namespace zanvoro {

// The round blue face with two large eyes and a small red mouth, drawn to fill `target`
// (square). Same shapes as the 32 × 32 bitmap and the installed scalable icon.
void PaintProgramIcon(QPainter& painter, const QRectF& target);

// The open door under a green exit sign of the 終了 button, drawn to fill `target` (square).
void PaintDoorPicture(QPainter& painter, const QRectF& target);

// Icons that draw themselves at the exact pixel size asked for, so that they stay sharp at
// every device pixel ratio; the disabled mode is the shape greyed and embossed.
QIcon ScalableProgramIcon();
QIcon ScalableDoorPicture();

// The program icon `side` × `side` logical pixels large for a picture label on `widget`, at
// that widget's device pixel ratio.
QPixmap ProgramIconPixmapFor(const QWidget* widget, int side = 32);

}  // namespace zanvoro
