// The batch window's paste under Wine for bench/batch_window.py: the table file given is put
// on the clipboard, pasted into the window shown, and once every row is computed and drawn
// the program prints "on-screen <ms from the paste>" and quits.
#include <chrono>
#include <cstdio>
#include <string>

#include "BatchWindow.h"
#include "Shell.h"
#include "Text.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    std::FILE* file = _wfopen(argv[1], L"rb");
    if (!file) return 2;
    std::string bytes;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
    const std::wstring text = zanvoro::win32::Wide(bytes);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* chars = static_cast<wchar_t*>(GlobalLock(data));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
    GlobalUnlock(data);
    if (!OpenClipboard(nullptr)) return 2;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();

    int status = 1;
    zanvoro::win32::RunHandler([&] {
        zanvoro::win32::BatchWindow batch(GetModuleHandleW(nullptr));
        batch.Show(nullptr);
        // Drawn when nothing more waits: painting comes last in the queue.
        const auto drawn = [] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && zanvoro::win32::PumpMessage()) {
            }
        };
        drawn();
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(batch.control("Button1"), BM_CLICK, 0, 0);
        while (batch.form().Computing()) zanvoro::win32::PumpMessage();
        drawn();
        const auto took = std::chrono::steady_clock::now() - start;
        std::printf("on-screen %.1f rows %zu\n",
                    std::chrono::duration<double, std::milli>(took).count(),
                    batch.form().Rows().Computed());
        std::fflush(stdout);
        status = 0;
    });
    return status;
}
