// The program icon, drawn for whatever pixel ratio the screen asks.
#include "ProgramIcon.h"

#include "ScalableIcons.h"

namespace zanvoro {

QIcon ProgramIcon() { return ScalableProgramIcon(); }

}  // namespace zanvoro
