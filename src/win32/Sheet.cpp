#include "Sheet.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "Look.h"
#include "SystemDll.h"
#include "Text.h"

namespace zanvoro::win32 {
namespace {

namespace layout = forms::sheetlayout;

constexpr COLORREF Colour(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
constexpr COLORREF kRule = Colour(layout::kRule);
constexpr COLORREF kHeading = Colour(layout::kHeadingShade);
constexpr COLORREF kFooter = Colour(layout::kFooter);

// Text, lines and fonts on one device, in its units; the fonts go with it.
class Painter {
public:
    explicit Painter(HDC dc) : dc_(dc), dpi_(GetDeviceCaps(dc, LOGPIXELSY)) {
        saved_ = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        pen_ = CreatePen(PS_SOLID, std::max(1, MulDiv(1, dpi_, 96)), kRule);
        SelectObject(dc, pen_);
    }
    ~Painter() {
        RestoreDC(dc_, saved_);
        DeleteObject(pen_);
        for (const auto& f : fonts_) DeleteObject(f.font);
    }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    int Points(double points) const { return static_cast<int>(std::lround(points * dpi_ / 72)); }
    int Pixels(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    // Selects the window font at `points`; its metrics.
    TEXTMETRICW Use(double points, bool bold = false) {
        const int height = Points(points);
        HFONT font = nullptr;
        for (const auto& f : fonts_)
            if (f.height == height && f.bold == bold) font = f.font;
        if (!font) {
            font = MakeFont(height, bold);
            fonts_.push_back({height, bold, font});
        }
        SelectObject(dc_, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        return metrics;
    }
    int Width(std::string_view text) const {
        const std::wstring wide = Wide(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }
    // `align` as SetTextAlign takes it; nothing for an empty text.
    void Text(int x, int y, std::string_view text, UINT align) {
        if (text.empty()) return;
        const std::wstring wide = Wide(text);
        SetTextAlign(dc_, align);
        ExtTextOutW(dc_, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    }
    void Line(int x1, int y1, int x2, int y2) {
        MoveToEx(dc_, x1, y1, nullptr);
        LineTo(dc_, x2, y2);
    }
    void Fill(const RECT& r, COLORREF colour) {
        SetBkColor(dc_, colour);
        ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    }

private:
    struct Font {
        int height;
        bool bold;
        HFONT font;
    };
    HDC dc_;
    int dpi_;
    int saved_ = 0;
    HPEN pen_ = nullptr;
    std::vector<Font> fonts_;
};

// A bordered table's cell edges, from its left to its right, by shares of `width`.
std::vector<int> Edges(int left, int width, std::span<const int> percents) {
    std::vector<int> edges{left};
    int share = 0;
    for (int p : percents) {
        share += p;
        edges.push_back(left + MulDiv(width, share, 100));
    }
    return edges;
}

// A table row's top rule and its cell walls; `edges` the cells' sides.
void RowFrame(Painter& p, const std::vector<int>& edges, int top, int height) {
    p.Line(edges.front(), top, edges.back(), top);
    for (int x : edges) p.Line(x, top, x, top + height);
}

constexpr wchar_t kSpooler[] = L"winspool.drv";

std::wstring DefaultPrinter() {
    const auto defaultPrinter = Later<decltype(GetDefaultPrinterW)>(kSpooler, "GetDefaultPrinterW");
    DWORD size = 0;
    defaultPrinter(nullptr, &size);
    if (size == 0) return {};
    std::wstring name(size, L'\0');
    if (!defaultPrinter(name.data(), &size)) return {};
    name.resize(std::wcslen(name.c_str()));
    return name;
}

// The first printer whose name says it writes PDF files.
std::wstring PdfPrinter() {
    const auto enumPrinters = Later<decltype(EnumPrintersW)>(kSpooler, "EnumPrintersW");
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    enumPrinters(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !enumPrinters(flags, nullptr, 4, buffer.data(), needed, &needed, &count))
        return {};
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        std::wstring upper = printers[i].pPrinterName;
        CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        if (upper.find(L"PDF") != std::wstring::npos) return printers[i].pPrinterName;
    }
    return {};
}

// The dialog's printer names: driver, device and port after the header, offsets in characters.
HGLOBAL DevNamesOf(const std::wstring& printer) {
    const std::wstring names = std::wstring(L"winspool") + L'\0' + printer + L'\0' + L'\0';
    const WORD first = sizeof(DEVNAMES) / sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                            sizeof(DEVNAMES) + names.size() * sizeof(wchar_t));
    if (!h) return nullptr;
    auto* header = static_cast<DEVNAMES*>(GlobalLock(h));
    header->wDriverOffset = first;
    header->wDeviceOffset = static_cast<WORD>(first + 9);
    header->wOutputOffset = static_cast<WORD>(first + 9 + printer.size() + 1);
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(h);
    return h;
}

// The printer's settings with A4 portrait paper, for the dialog to start from.
HGLOBAL A4SettingsOf(const std::wstring& printer) {
    const auto properties = Later<decltype(DocumentPropertiesW)>(kSpooler, "DocumentPropertiesW");
    std::wstring name = printer;
    HANDLE handle = nullptr;
    if (!Later<decltype(OpenPrinterW)>(kSpooler, "OpenPrinterW")(name.data(), &handle, nullptr))
        return nullptr;
    HGLOBAL h = nullptr;
    const LONG size = properties(nullptr, handle, name.data(), nullptr, nullptr, 0);
    if (size > 0) h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
    if (h) {
        auto* mode = static_cast<DEVMODEW*>(GlobalLock(h));
        const bool read =
            properties(nullptr, handle, name.data(), mode, nullptr, DM_OUT_BUFFER) == IDOK;
        if (read) {
            mode->dmFields = (mode->dmFields & ~DWORD{DM_PAPERLENGTH | DM_PAPERWIDTH}) |
                             DM_PAPERSIZE | DM_ORIENTATION;
            mode->dmPaperSize = DMPAPER_A4;
            mode->dmOrientation = DMORIENT_PORTRAIT;
            properties(nullptr, handle, name.data(), mode, mode,
                                DM_IN_BUFFER | DM_OUT_BUFFER);
        }
        GlobalUnlock(h);
        if (!read) h = GlobalFree(h);
    }
    Later<decltype(ClosePrinter)>(kSpooler, "ClosePrinter")(handle);
    return h;
}

// The paper inside the sheet's margins, in the printer's units from the corner of what it
// can print.
RECT SheetArea(HDC dc) {
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const int offX = GetDeviceCaps(dc, PHYSICALOFFSETX), offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const auto mm = [](int millimetres, int dpi) { return MulDiv(millimetres * 10, dpi, 254); };
    const auto& m = layout::kMargins;
    return {mm(m[0], dpiX) - offX, mm(m[1], dpiY) - offY,
            GetDeviceCaps(dc, PHYSICALWIDTH) - mm(m[2], dpiX) - offX,
            GetDeviceCaps(dc, PHYSICALHEIGHT) - mm(m[3], dpiY) - offY};
}

struct PrintHandles {
    PRINTDLGW dialog{};
    ~PrintHandles() {
        if (dialog.hDC) DeleteDC(dialog.hDC);
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    }
    std::string Printer() const {
        if (!dialog.hDevNames) return {};
        const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames));
        std::string device = Utf8(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
        GlobalUnlock(dialog.hDevNames);
        return device;
    }
};

}  // namespace

void DrawSheet(HDC dc, const RECT& page, const forms::Sheet& sheet) {
    Painter p(dc);
    const int width = page.right - page.left;
    const int pad = p.Pixels(5);
    int y = page.top;

    // Title and subtitle on one baseline, the date at the right.
    const TEXTMETRICW title = p.Use(18, true);
    const int baseline = y + title.tmAscent;
    p.Text(page.left, baseline, sheet.title, TA_LEFT | TA_BASELINE);
    const int subtitleAt = page.left + p.Width(sheet.title);
    p.Use(13);
    p.Text(subtitleAt + p.Width("　"), baseline, sheet.subtitle, TA_LEFT | TA_BASELINE);
    p.Use(10.5);
    p.Text(page.right, baseline, sheet.dated, TA_RIGHT | TA_BASELINE);
    y += title.tmHeight;

    // A heading with a blank line of its size above it.
    const auto heading = [&](const std::string& text, int above) {
        const TEXTMETRICW m = p.Use(12, true);
        y += above * m.tmHeight;
        p.Text(page.left, y, text, TA_LEFT | TA_TOP);
        y += m.tmHeight + p.Points(6);
    };

    heading(sheet.inputsHeading, 1);
    const std::vector<int> in = Edges(page.left, width * layout::kInputsWidth / 100, layout::kInputColumns);
    for (const forms::ReportLine& line : sheet.inputs) {
        const int body = p.Use(10.5).tmHeight;
        const std::string note = forms::TypedNote(line);
        const int noteHeight = note.empty() ? 0 : p.Use(9).tmHeight;
        const int height = body + noteHeight + 2 * pad;
        RowFrame(p, in, y, height);
        p.Use(10.5);
        p.Text(in[0] + pad, y + pad, line.caption, TA_LEFT | TA_TOP);
        p.Text(in[2] - pad, y + pad, line.value, TA_RIGHT | TA_TOP);
        p.Use(9);
        p.Text(in[2] - pad, y + pad + body, note, TA_RIGHT | TA_TOP);
        p.Use(10.5);
        p.Text(in[2] + pad, y + pad, line.unit, TA_LEFT | TA_TOP);
        y += height;
    }
    p.Line(in.front(), y, in.back(), y);

    y += p.Points(6);
    heading(sheet.figuresHeading, 0);
    const std::vector<int> fig = Edges(page.left, width, layout::kFigureColumns);
    const int row = p.Use(10.5, true).tmHeight + 2 * pad;
    p.Fill({fig.front(), y, fig.back(), y + row}, kHeading);
    RowFrame(p, fig, y, row);
    // Each column's heading aligned as its cells are; a unit centred.
    const UINT headAlign[] = {TA_LEFT, TA_RIGHT, TA_CENTER, TA_RIGHT, TA_CENTER};
    for (std::size_t i = 0; i < sheet.columns.size() && i + 1 < fig.size(); ++i) {
        const int x = headAlign[i] == TA_LEFT    ? fig[i] + pad
                      : headAlign[i] == TA_RIGHT ? fig[i + 1] - pad
                                                 : (fig[i] + fig[i + 1]) / 2;
        p.Text(x, y + pad, sheet.columns[i], headAlign[i] | TA_TOP);
    }
    y += row;
    for (const forms::Sheet::Row& r : sheet.rows) {
        const int height = p.Use(10.5).tmHeight + 2 * pad;
        RowFrame(p, fig, y, height);
        p.Text(fig[0] + pad, y + pad, r.caption, TA_LEFT | TA_TOP);
        p.Text(fig[2] - pad, y + pad, r.amount, TA_RIGHT | TA_TOP);
        p.Text(fig[2] + pad, y + pad, r.amountUnit, TA_LEFT | TA_TOP);
        p.Text(fig[4] - pad, y + pad, r.rate, TA_RIGHT | TA_TOP);
        p.Text(fig[4] + pad, y + pad, r.rateUnit, TA_LEFT | TA_TOP);
        y += height;
        if (r.basis.empty()) continue;
        const int basis = p.Use(9).tmHeight + 2 * pad;
        RowFrame(p, {fig.front(), fig.back()}, y, basis);
        p.Text(fig[0] + pad, y + pad, r.basis, TA_LEFT | TA_TOP);
        y += basis;
    }
    p.Line(fig.front(), y, fig.back(), y);

    // The footer on the last line, under a rule.
    const int footer = p.Use(9).tmHeight;
    const int top = page.bottom - footer;
    p.Line(page.left, top - footer / 3, page.right, top - footer / 3);
    SetTextColor(dc, kFooter);
    p.Text(page.left, top, sheet.footerLeft, TA_LEFT | TA_TOP);
    p.Text(page.right, top, sheet.footerRight, TA_RIGHT | TA_TOP);
}

void PrintReport(HWND owner, const forms::Report& report, bool pdfPrinter) {
    PrintHandles h;
    PRINTDLGW& d = h.dialog;
    d.lStructSize = sizeof d;
    d.hwndOwner = owner;
    d.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    d.nCopies = 1;
    std::wstring printer = pdfPrinter ? PdfPrinter() : std::wstring();
    if (printer.empty()) printer = DefaultPrinter();
    if (!printer.empty()) {
        d.hDevNames = DevNamesOf(printer);
        d.hDevMode = A4SettingsOf(printer);
    }
    if (!Later<decltype(PrintDlgW)>(L"comdlg32.dll", "PrintDlgW")(&d)) {
        // Cancelled, or no printer at all, which the dialog has said itself.
        const DWORD error = Later<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError")();
        if (error == 0 || error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) return;
        throw std::runtime_error(forms::NotWrittenMessage(Utf8(printer)));
    }

    const std::wstring title = Wide(report.title);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocW(d.hDC, &doc) <= 0) {
        if (GetLastError() == ERROR_CANCELLED) return;  // the PDF printer's file not chosen
        throw std::runtime_error(forms::NotWrittenMessage(h.Printer()));
    }
    bool done = StartPage(d.hDC) > 0;
    if (done) {
        DrawSheet(d.hDC, SheetArea(d.hDC), forms::SheetOf(report, ZANVORO_VERSION));
        done = EndPage(d.hDC) > 0;
    }
    if (!done || EndDoc(d.hDC) <= 0) {
        AbortDoc(d.hDC);
        throw std::runtime_error(forms::NotWrittenMessage(h.Printer()));
    }
}

}  // namespace zanvoro::win32
