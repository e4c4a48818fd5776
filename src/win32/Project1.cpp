// Program start on Windows: the three windows, the main one shown as asked, until it closes.
#include <cstdio>

#include "Application.h"
#include "Shell.h"

namespace {

// With ZANVORO_FIRST_PAINT_PROBE set (bench/startup.py --wine sets it), prints
// "first-paint <ns since 1970>" once the first paint is done; the program then quits.
bool FirstPaintProbed() {
    if (GetEnvironmentVariableW(L"ZANVORO_FIRST_PAINT_PROBE", nullptr, 0) == 0) return false;
    // Done when nothing more waits: painting comes last in the queue.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && zanvoro::win32::PumpMessage()) {
    }
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::printf("first-paint %llu\n", (ticks - 116444736000000000ULL) * 100);
    std::fflush(stdout);
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    int exitCode = 1;
    zanvoro::win32::RunHandler([&] {
        zanvoro::win32::Application app(instance);
        app.Start(showCommand);
        exitCode = FirstPaintProbed() ? 0 : zanvoro::win32::Application::Run();
    });
    return exitCode;
}
