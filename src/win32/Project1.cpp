// Program start on Windows: the three windows, the main one shown as asked, until it closes.
#include "Application.h"
#include "Shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    int exitCode = 1;
    zanvoro::win32::RunHandler([&] {
        zanvoro::win32::Application app(instance);
        app.Start(showCommand);
        exitCode = zanvoro::win32::Application::Run();
    });
    return exitCode;
}
