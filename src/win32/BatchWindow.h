// The batch window "一括計算" on Win32: the window layer's batch window with the system's
// controls, its table a virtual list view that costs nothing per row until a row is seen.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

#include "BatchForm.h"
#include "Look.h"

namespace zanvoro::win32 {

class AccessibleNames;

class BatchWindow final : private forms::BatchRows::Observer, private forms::BatchView {
public:
    explicit BatchWindow(HINSTANCE instance);
    ~BatchWindow();
    BatchWindow(const BatchWindow&) = delete;
    BatchWindow& operator=(const BatchWindow&) = delete;

    HWND frame() const { return frame_; }
    HWND control(std::string_view name) const;
    const forms::BatchForm& form() const { return form_; }
    static bool IsFrame(HWND window);

    // The settings of the window it is opened from, the direction as that window's: taken
    // while it holds no rows.
    void TakeSettingsFrom(const costbatch::Settings& settings);
    // Shown beside `opener`'s corner the first time, then where it was left.
    void Show(HWND opener);

    // A table in, replacing the one shown, or the error box and nothing changed.
    void PasteText(std::string_view utf8);
    void OpenFile(const std::wstring& path);
    // Every row into a file, whole or not at all; the error box when it cannot be written.
    void SaveFile(const std::wstring& path, costbatch::Format format, costbatch::Encoding encoding);
    // The selected rows (all when none is selected) with their captions, tab-separated.
    void CopySelection();

    void Button1Click();  // 貼り付け
    void Button2Click();  // 開く…
    void Button3Click();  // 保存…
    void Button4Click();  // コピー
    void Button5Click();  // 取消

private:
    void RowsReplacing() override {}
    void RowsReplaced() override;
    void RowsComputed(std::size_t from, std::size_t to) override;

    static void Register(HINSTANCE instance);
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Frame(HWND, UINT, WPARAM, LPARAM);
    void MakeControls();
    void MakeTips();
    void Layout();
    void Command(int id, WORD code);
    LRESULT Notify(NMHDR& header);
    LRESULT DrawCell(NMLVCUSTOMDRAW& draw) const;
    bool Key(WPARAM key);
    void GridMenu(POINT at);

    // What the layer asks shown.
    void ShowSettings() override;
    void FitColumns() override;
    void Slicing(bool on) override;
    void ShowProgress() override;
    void ShowEnabling();

    HFONT FontOf(const forms::Font& font);
    int scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    HWND Control(const char* name) const { return control(name); }
    bool FocusInEdit() const;

    forms::BatchForm form_;
    forms::Window d_;
    HINSTANCE instance_;
    int dpi_ = 96;
    HWND frame_ = nullptr;
    HWND tips_ = nullptr;
    std::vector<HWND> controls_;
    std::unique_ptr<AccessibleNames> names_;
    Fonts fonts_;
    std::wstring shown_;  // the text a cell last handed to the table
    SIZE minimum_{};  // the client area's, once laid out
    HWND lastFocus_ = nullptr;
    bool placed_ = false;
    bool showingSettings_ = false;  // our own changes to the controls, not the user's
};

}  // namespace zanvoro::win32
