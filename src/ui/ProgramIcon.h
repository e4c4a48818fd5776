// The program icon: a round blue face, 32 × 32, for the windows, the task bar and the About box.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zanvoro {

QIcon ProgramIcon();
QPixmap ProgramIconPixmap();

}  // namespace zanvoro
