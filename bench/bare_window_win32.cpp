// The reference of the Win32 start-up measurement: a bare Win32 window of the main window's
// size and font, with one text, built from nothing of the program.
// With --controls it also holds as many plain system controls as the main window has, of the
// same kinds, with no behaviour: what those windows alone cost to make and paint.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

// The main window's controls by kind: labels, sunken result boxes, edits, radio buttons, check
// boxes, push buttons and captioned frames.
struct Kind {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
    int count;
};
constexpr Kind kMainWindowControls[] = {
    {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 29},
    {L"STATIC", SS_RIGHT | SS_SUNKEN, 0, 13},
    {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 3},
    {L"BUTTON", BS_RADIOBUTTON, 0, 3},
    {L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0, 3},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 3},
    {L"BUTTON", BS_GROUPBOX, 0, 2},
};

void MakeControls(HWND parent, HINSTANCE instance, HFONT font) {
    int i = 0;
    for (const Kind& k : kMainWindowControls)
        for (int n = 0; n < k.count; ++n, ++i) {
            HWND c = CreateWindowExW(k.exStyle, k.cls, L"工事価格", WS_CHILD | WS_VISIBLE | k.style,
                                     8 + (i % 4) * 124, 32 + (i / 4) * 28, 116, 24, parent, nullptr,
                                     instance, nullptr);
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = GetSysColorBrush(COLOR_3DLIGHT);
    cls.lpszClassName = L"BareWindow";
    RegisterClassExW(&cls);
    // The main window's outer size: its 508 x 462 client area under a one-item menu bar.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"ファイル(&F)");
    RECT outer{0, 0, 508, 462};
    AdjustWindowRectEx(&outer, style, TRUE, 0);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"Zanvoro!Pro", style, 279, 139,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  menu, instance, nullptr);
    // One text in the windows' font, so that the font is really loaded and drawn.
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
    HWND label = CreateWindowExW(0, L"STATIC", L"希望工事費 (税込)", WS_CHILD | WS_VISIBLE, 8, 8,
                                 127, 16, window, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (std::wcsstr(commandLine, L"--controls")) MakeControls(window, instance, font);
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    const bool probe = GetEnvironmentVariableW(L"ZANVORO_FIRST_PAINT_PROBE", nullptr, 0) > 0;
    MSG msg;
    // The first paint is done when nothing more waits: painting comes last in the queue.
    while (probe && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (probe) {
        FILETIME now;
        GetSystemTimePreciseAsFileTime(&now);
        const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) |
                                         now.dwLowDateTime;
        std::printf("first-paint %llu\n", (ticks - 116444736000000000ULL) * 100);
        std::fflush(stdout);
        return 0;
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return 0;
}
