#include "Look.h"

#include <string>
#include <utility>

#include "Text.h"

namespace zanvoro::win32 {

COLORREF ColourRef(forms::Colour c) {
    switch (c) {
    case forms::Colour::Blue: return RGB(0x00, 0x00, 0xFF);
    case forms::Colour::Red: return RGB(0xFF, 0x00, 0x00);
    case forms::Colour::Teal: return RGB(0x00, 0x80, 0x80);
    case forms::Colour::Black: return RGB(0x00, 0x00, 0x00);
    case forms::Colour::ButtonFace: return GetSysColor(COLOR_BTNFACE);
    case forms::Colour::Light3D: return GetSysColor(COLOR_3DLIGHT);
    case forms::Colour::Window: return GetSysColor(COLOR_WINDOW);
    case forms::Colour::Grey: return GetSysColor(COLOR_GRAYTEXT);
    case forms::Colour::WindowText: break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

int SystemColourIndex(forms::Colour c) {
    switch (c) {
    case forms::Colour::Light3D: return COLOR_3DLIGHT;
    case forms::Colour::Window: return COLOR_WINDOW;
    default: return COLOR_BTNFACE;
    }
}

int ScreenDpi() {
    int dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

void SetProgramIcons(HWND frame, HINSTANCE instance) {
    for (const auto& [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
        const int side = GetSystemMetrics(metric);
        SendMessageW(frame, WM_SETICON, which,
                     reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon),
                                                         IMAGE_ICON, side, side, LR_SHARED)));
    }
}

Fonts::~Fonts() {
    for (const auto& [key, font] : made_) DeleteObject(font);
}

HFONT MakeFont(int height, bool bold, bool italic) {
    // A negative height asks for the character height, not the cell's.
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Wide(forms::kFontFamily).c_str());
}

HFONT Fonts::Get(const forms::Font& font, int dpi) {
    const auto key = std::make_tuple(font.pixels, font.bold, font.italic);
    if (auto at = made_.find(key); at != made_.end()) return at->second;
    HFONT made = MakeFont(MulDiv(font.pixels, dpi, 96), font.bold, font.italic);
    made_.emplace(key, made);
    return made;
}

LRESULT ControlColours(HDC dc, const forms::Control& c, bool enabled, forms::Colour background) {
    SetTextColor(dc, ColourRef(c.colour));
    int index = SystemColourIndex(background);
    if (c.kind == forms::ControlKind::ResultBox) index = COLOR_BTNFACE;
    if (c.kind == forms::ControlKind::Edit) index = enabled ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(index));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(index));
}

void DrawCaptionFrame(const DRAWITEMSTRUCT& item, const forms::Control& c, HFONT font,
                      forms::Colour background, int dpi) {
    const std::wstring caption = Wide(c.caption);
    HGDIOBJ old = SelectObject(item.hDC, font);
    SIZE text{};
    GetTextExtentPoint32W(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT line = item.rcItem;
    line.top += text.cy / 2;
    DrawEdge(item.hDC, &line, EDGE_ETCHED, BF_RECT);
    const int gap = MulDiv(2, dpi, 96), indent = MulDiv(8, dpi, 96);
    const RECT& r = item.rcItem;
    RECT band{r.left + indent, r.top, r.left + indent + text.cx + 2 * gap, r.top + text.cy};
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetTextColor(item.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : ColourRef(c.colour));
    SetBkColor(item.hDC, GetSysColor(SystemColourIndex(background)));
    ExtTextOutW(item.hDC, band.left + gap, band.top, ETO_OPAQUE, &band, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
    SelectObject(item.hDC, old);
}

}  // namespace zanvoro::win32
