// A window's estimate on paper on Windows: the sheet drawn and printed.
#pragma once

#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "Report.h"

namespace zanvoro::win32 {

// Draws the one-page sheet into `page`, the part of the paper inside the margins in the
// device's units; point sizes come out as points at the device's resolution.
void DrawSheet(HDC dc, const RECT& page, const forms::Sheet& sheet);

// The print dialog, A4 portrait chosen, then the sheet on the printer chosen. With
// `pdfPrinter` the dialog starts on the system's PDF printer where one is installed.
// Nothing when the user cancels; throws std::runtime_error when the printer fails.
void PrintReport(HWND owner, const forms::Report& report, bool pdfPrinter);

}  // namespace zanvoro::win32
