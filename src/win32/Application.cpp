#include "Application.h"

#include <commctrl.h>

#include <utility>

#include "Shell.h"
#include "text/numbertext.h"

namespace zanvoro::win32 {

Application::Application(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    costmodel::LoadDecimalSeparatorFromEnvironment();

    main_ = std::make_unique<FormWindow>(instance, mainForm_.description(), &mainForm_, nullptr);
    main_->onCommand = [this](forms::Command c) { Run(c, mainForm_, *main_); };
    main_->onClose = [](ModalResult) { PostQuitMessage(0); };
    main_->onSettingsChanged = [] { costmodel::LoadDecimalSeparatorFromEnvironment(); };
    main_->MakeControls();
    mainForm_.FormCreate();
}

Application::~Application() = default;

// Each window costs its frame, menu and icons (dozens of round trips to Wine's server), so
// the hidden ones wait until first asked for: the first paint needs neither.
std::unique_ptr<FormWindow> Application::MakeModal(const forms::Window& description,
                                                   forms::CalculatingForm* form) {
    auto window = std::make_unique<FormWindow>(instance_, description, form, main_->frame());
    window->onClose = [this](ModalResult r) { modalResult_ = r; };
    return window;
}

FormWindow& Application::calculatorWindow() {
    if (!calculator_) {
        auto form = std::make_unique<forms::CalculatorForm>();
        calculator_ = MakeModal(form->description(), form.get());
        calculator_->onCommand = [this](forms::Command c) { Run(c, *calculatorForm_, *calculator_); };
        calculatorForm_ = std::move(form);
    }
    return *calculator_;
}

FormWindow& Application::aboutBox() {
    if (!about_) about_ = MakeModal(forms::DescribeAboutBox(), nullptr);
    return *about_;
}

void Application::Start(int showCommand) {
    if (showCommand != SW_SHOWMAXIMIZED && showCommand != SW_SHOWMINNOACTIVE)
        showCommand = SW_SHOWNORMAL;
    main_->Show(showCommand);
    UpdateWindow(main_->frame());
}

int Application::Run() {
    while (PumpMessage()) {
    }
    MSG quit;
    return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(quit.wParam) : 0;
}

void Application::Run(forms::Command command, const forms::CalculatingForm& source,
                      FormWindow& from) {
    switch (command) {
    case forms::Command::OpenBatch: OpenBatch(source, from); break;
    case forms::Command::ShowCalculator: ShowModal(calculatorWindow()); break;
    case forms::Command::ShowAbout: ShowModal(aboutBox()); break;
    case forms::Command::Close: PostQuitMessage(0); break;
    default: break;
    }
}

BatchWindow& Application::batchWindow() {
    if (!batch_) batch_ = std::make_unique<BatchWindow>(instance_);
    return *batch_;
}

void Application::OpenBatch(const forms::CalculatingForm& source, FormWindow& from) {
    const bool made = !batch_;
    BatchWindow& batch = batchWindow();
    if (made || !batch.form().HasRows()) batch.TakeSettingsFrom(source.BatchSettings());
    // Only the main window is modeless: over any other the batch window must be modal to be
    // usable at all.
    if (&from == main_.get()) {
        batch.Show(from.frame());
        return;
    }
    EnableWindow(from.frame(), FALSE);
    EnableWindow(batch.frame(), TRUE);
    batch.Show(from.frame());
    while (IsWindowVisible(batch.frame())) {
        if (!PumpMessage()) {
            PostQuitMessage(0);
            break;
        }
    }
    EnableWindow(from.frame(), TRUE);
    if (IsWindowVisible(from.frame())) SetActiveWindow(from.frame());
}

ModalResult Application::ShowModal(FormWindow& window) {
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    EnableWindow(main_->frame(), FALSE);
    // Every other window waits too, the batch window among them, as a modal window has it.
    HWND batch = batch_ ? batch_->frame() : nullptr;
    if (batch) EnableWindow(batch, FALSE);
    modalResult_ = ModalResult::None;
    window.Show(SW_SHOW);
    while (modalResult_ == ModalResult::None) {
        if (!PumpMessage()) {
            PostQuitMessage(0);  // for the main loop, which ends the program
            modalResult_ = ModalResult::Cancel;
        }
    }
    // Enabled before the window hides, so that the activation comes back to it.
    EnableWindow(main_->frame(), TRUE);
    if (batch) EnableWindow(batch, TRUE);
    window.Hide();
    if (previous && IsWindowVisible(previous)) SetActiveWindow(previous);
    return std::exchange(modalResult_, ModalResult::None);
}

}  // namespace zanvoro::win32
