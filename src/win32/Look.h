// How the Win32 face draws what the descriptions say: colours, fonts and captioned frames,
// the same in every window.
#pragma once

#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "Description.h"

namespace zanvoro::win32 {

COLORREF ColourRef(forms::Colour c);
// The system colour a background colour of the descriptions is.
int SystemColourIndex(forms::Colour c);
// The description's font at `dpi`; the caller deletes it.
HFONT MakeFont(const forms::Font& font, int dpi);
// The WM_CTLCOLOR* answer for a control: its text colour on the window's background, an
// edit on the window colour while it takes input.
LRESULT ControlColours(HDC dc, const forms::Control& c, bool enabled, forms::Colour background);
// A captioned frame: an etched line through the caption's middle, the caption on the
// window's background in its own colour (grey when disabled). The inside is left as it is.
void DrawCaptionFrame(const DRAWITEMSTRUCT& item, const forms::Control& c, HFONT font,
                      forms::Colour background, int dpi);

}  // namespace zanvoro::win32
