// Everything the windows share, in one include for code that uses several of its parts.
#pragma once

#include "Dialogs.h"
#include "ProgramIcon.h"
#include "WindowKeys.h"
#include "WindowLook.h"
#include "WindowParts.h"
