// The program icon, read from the library's resources.
#include "ProgramIcon.h"

#include "ScalableIcons.h"

// Q_INIT_RESOURCE must stand outside any namespace; the library is static, so the
// resource would otherwise be dropped by the linker.
static void InitZanvoroResources() { Q_INIT_RESOURCE(zanvoro); }

namespace zanvoro {

QPixmap ProgramIconPixmap() {
    InitZanvoroResources();
    return QPixmap(QStringLiteral(":/icons/program.xpm"));
}

QIcon ProgramIcon() { return ScalableProgramIcon(); }

}  // namespace zanvoro
