// The program icon: a round blue face, for the windows, the task bar and the About box.
#pragma once

#include <QIcon>

namespace zanvoro {

QIcon ProgramIcon();

}  // namespace zanvoro
