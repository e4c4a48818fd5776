// How the Win32 face draws what the descriptions say: colours, fonts and captioned frames,
// the same in every window.
#pragma once

#include <map>
#include <string_view>
#include <tuple>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "Description.h"

namespace zanvoro::win32 {

// The program icon's resource.
inline constexpr int kProgramIcon = 1;

// The screen's dots per inch, which the windows scale their pixels to.
int ScreenDpi();
// The program icon in a frame's title bar and the task switcher.
void SetProgramIcons(HWND frame, HINSTANCE instance);

// The windows' font with a character height of `height` device pixels; the caller deletes it.
HFONT MakeFont(int height, bool bold, bool italic = false);

// A window's fonts, each made once and deleted with the window.
class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    HFONT Get(const forms::Font& font, int dpi);

private:
    std::map<std::tuple<int, bool, bool>, HFONT> made_;
};

COLORREF ColourRef(forms::Colour c);
// The system colour a background colour of the descriptions is.
int SystemColourIndex(forms::Colour c);
// The WM_CTLCOLOR* answer for a control: its text colour on the window's background, an
// edit on the window colour while it takes input.
LRESULT ControlColours(HDC dc, const forms::Control& c, bool enabled, forms::Colour background);
// A captioned frame: an etched line through the caption's middle, the caption on the
// window's background in its own colour (grey when disabled). The inside is left as it is.
void DrawCaptionFrame(const DRAWITEMSTRUCT& item, const forms::Control& c, HFONT font,
                      forms::Colour background, int dpi);

}  // namespace zanvoro::win32
