// The program icon and the close button's door picture as icons sharp at any pixel density.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "Pictures.h"

class QWidget;

namespace zanvoro {

// Icons that draw themselves at the exact pixel size asked for, so that they stay sharp at
// every device pixel ratio; the disabled mode is the shape greyed and embossed.
QIcon ScalableProgramIcon();
QIcon ScalableDoorPicture();

// The program icon `side` × `side` logical pixels large for a picture label on `widget`, at
// that widget's device pixel ratio.
QPixmap ProgramIconPixmapFor(const QWidget* widget, int side = 32);

}  // namespace zanvoro
