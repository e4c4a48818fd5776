// The batch window "一括計算": its settings, rows, progress and texts, whatever face shows it.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "BatchRows.h"
#include "batch/batch.h"

namespace forms {

// What the window says. Captions that name a setting or a column are the core's.
namespace batchtext {
inline constexpr std::string_view kTitle = "一括計算";
inline constexpr std::string_view kDirectionFrame = "計算の向き";
inline constexpr std::string_view kDirectionFixedTip = "向きは表の見出し行 (金額の列) で決まります";
inline constexpr std::string_view kPaste = "貼り付け";
inline constexpr std::string_view kPasteTip = "表計算ソフトでコピーした表を貼り付けます (Ctrl+V)";
inline constexpr std::string_view kOpen = "開く…";
inline constexpr std::string_view kOpenTip = "CSV・TSV ファイルを開きます (Ctrl+O)";
inline constexpr std::string_view kSave = "保存…";
inline constexpr std::string_view kSaveTip =
    "すべての行を CSV か TSV のファイルに保存します (Ctrl+S)";
inline constexpr std::string_view kCopy = "コピー";
inline constexpr std::string_view kCopyTip =
    "選択した範囲 (選択がなければ表全体) を見出し付きでコピーします (Ctrl+C)";
// Also what a row shows that was given up on.
inline constexpr std::string_view kCancel = "取消";
inline constexpr std::string_view kCancelTip =
    "計算をやめます。計算の済んだ行はそのまま残ります (Esc)";
inline constexpr std::string_view kTable = "一括計算の表";
inline constexpr std::string_view kColumnHeads = "列見出し";
inline constexpr std::string_view kRowNumbers = "行番号";
inline constexpr std::string_view kSelectAll = "すべて選択";
inline constexpr std::string_view kProgress = "計算の進み具合";

// "希望工事費 (税込) → 内訳" or "希望直接工事費 → 内訳".
std::string DirectionCaption(costbatch::Direction direction);
// The table's context menu entry: a command's caption and its key, tab-separated.
std::string MenuEntry(std::string_view caption, std::string_view key);
}  // namespace batchtext

// The window's controls, in creation order, laid out by the face in three bands (settings,
// commands, table) over a status line: places stay zero.
Window BatchWindow();

// The window's layout, in pixels at 96 dpi: what each face keeps to.
namespace batchlayout {
inline constexpr int kMargin = 8;      // around the bands
inline constexpr int kSpacing = 6;     // between the bands, and between controls in a band
inline constexpr int kFrameSide = 10;  // inside a frame, left and right; below its caption 2
inline constexpr int kFrameBottom = 8;
inline constexpr Size kCommand{88, 25};  // a command button, at least
inline constexpr Size kExtraEdit{90, 24};  // an extra amount's edit
inline constexpr int kProgressWidth = 240;
}  // namespace batchlayout

// The table's column widths: a caption's width and 16; an input column as wide as its first
// hundred cells (40 characters of each) and 12, at most 240; a figure column room for the
// widest figure; 結果 its caption (it takes the room left). The face measures the texts.
using TextWidth = std::function<int(std::string_view utf8)>;
std::vector<int> ColumnWidths(const BatchRows& rows, const TextWidth& cell, const TextWidth& caption);

// Settings that give every row the same result: extra-amount texts count only when used.
bool SameSettings(const costbatch::Settings& a, const costbatch::Settings& b);

// A count as the window writes it: 1,234,567.
std::string Count(std::size_t n);

// The status line and the controls that follow computing.
struct BatchProgress {
    std::string status;  // what the table holds, or how far computing has come
    bool progressVisible = false;
    std::size_t progressMaximum = 0;
    std::size_t progressValue = 0;
    bool cancelVisible = false;
    bool saveEnabled = false;
    bool copyEnabled = false;
};

// What a face shows of the batch window, each when the window's behaviour says.
class BatchView {
public:
    virtual void ShowSettings() = 0;      // the controls as the settings now are
    virtual void FitColumns() = 0;        // to the rows now held
    virtual void Slicing(bool on) = 0;    // while on, ComputeSlice each time the face is free
    virtual void ShowProgress() = 0;      // Progress()

protected:
    ~BatchView() = default;
};

// The window's behaviour. A face passes its controls' events in (each control's new state,
// the settings once typing pauses, a slice each time it is free) and shows what this holds.
class BatchForm {
public:
    // Each slice of computing ends after this, so that the window answers in between.
    static constexpr std::chrono::milliseconds kSlice{40};
    // Settings typed into an edit are taken once typing pauses; a choice at once.
    static constexpr std::chrono::milliseconds kTypingPause{300};

    explicit BatchForm(std::chrono::milliseconds slice = kSlice) : slice_(slice) {}
    BatchForm(const BatchForm&) = delete;
    BatchForm& operator=(const BatchForm&) = delete;

    // Told of every change the window makes from now on; none for no face.
    void SetView(BatchView* view) { view_ = view; }

    BatchRows& Rows() { return rows_; }
    const BatchRows& Rows() const { return rows_; }

    // The settings as the controls hold them.
    const costbatch::Settings& Settings() const { return settings_; }
    void SetDirection(costbatch::Direction direction) { settings_.direction = direction; }
    void SetWork(costmodel::WorkType work) { settings_.work = work; }
    void SetExtraInNet(bool on) { settings_.extraInNet = on; }
    void SetExtraInNetText(std::string text) { settings_.extraInNetText = std::move(text); }
    void SetExtraNoOverhead(bool on) { settings_.extraNoOverhead = on; }
    void SetExtraNoOverheadText(std::string text) {
        settings_.extraNoOverheadText = std::move(text);
    }
    void SetNoCommonTemp(bool on) { settings_.noCommonTemp = on; }

    // An edit is enabled exactly when its box is checked.
    bool ExtraInNetEditable() const { return settings_.extraInNet; }
    bool ExtraNoOverheadEditable() const { return settings_.extraNoOverhead; }
    // A caption row names the amount's column, and so the direction: then the direction's
    // buttons show it and cannot change it.
    bool DirectionEnabled() const { return !directionFixed_; }
    std::string_view DirectionTip() const;

    // The rows computed again under the settings the controls now hold, unless every row's
    // result would stay the same. True when the rows were replaced.
    bool ApplySettings();
    // A calculating window's settings, the direction as its caller states it; applied at once.
    bool TakeSettings(const costbatch::Settings& settings);

    // A table in, replacing the rows, or InputError and nothing changed. Pasted text is
    // tab-separated as a spreadsheet copies it.
    void Load(costbatch::Table table);
    void Paste(std::string_view utf8);

    // One slice of computing; true while rows remain.
    bool ComputeSlice();
    void Cancel();
    bool Computing() const { return rows_.Computing(); }
    bool HasRows() const { return rows_.Size() > 0; }

    BatchProgress Progress() const;

private:
    void Start(std::unique_ptr<costbatch::Batch> batch);
    bool ComputeFor();

    std::chrono::milliseconds slice_;
    costbatch::Settings settings_;
    // The rows as read, kept to compute them again under changed settings.
    std::optional<costbatch::Table> input_;
    std::optional<costbatch::Settings> applied_;
    bool directionFixed_ = false;
    BatchRows rows_;
    BatchView* view_ = nullptr;
};

}  // namespace forms
