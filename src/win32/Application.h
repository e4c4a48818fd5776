// The program's windows on Win32: the main window made and shown at start-up; the calculator
// window and the About box made when first asked for, shown modally from its menu; the batch
// window made when first opened.
#pragma once

#include <memory>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "BatchWindow.h"
#include "CalculatingForm.h"
#include "FormWindow.h"

namespace zanvoro::win32 {

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();

    FormWindow& mainWindow() { return *main_; }
    FormWindow& calculatorWindow();
    FormWindow& aboutBox();
    // The batch window, made on first use.
    BatchWindow& batchWindow();

    // Shows the main window as the start request asks: maximized, minimized without
    // activation, or else normal.
    void Start(int showCommand);
    // Processes messages until the main window closes; the program's exit code.
    static int Run();
    // Shows `window` over the disabled main window until it closes; hidden, not destroyed.
    ModalResult ShowModal(FormWindow& window);

    // Opens the batch window from a calculating window (Ctrl+B): with that window's settings
    // while it holds no rows; over a modal window, modal itself until it closes.
    void OpenBatch(const forms::CalculatingForm& source, FormWindow& from);

private:
    void Run(forms::Command command, const forms::CalculatingForm& source, FormWindow& from);
    // A window over the main one that reports how it was closed.
    std::unique_ptr<FormWindow> MakeModal(const forms::Window& description,
                                          forms::CalculatingForm* form);

    HINSTANCE instance_;
    forms::MainForm mainForm_;
    std::unique_ptr<forms::CalculatorForm> calculatorForm_;
    std::unique_ptr<FormWindow> main_, about_, calculator_;
    std::unique_ptr<BatchWindow> batch_;
    ModalResult modalResult_ = ModalResult::None;
};

}  // namespace zanvoro::win32
