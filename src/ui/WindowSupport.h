// What both calculator windows share: fonts, colours, result boxes, keys, errors, modality.
#pragma once

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <exception>
#include <functional>
#include <utility>

namespace zanvoro {

inline constexpr const char* kAppTitle = "Zanvoro!";
inline constexpr const char* kFontFamily = "ＭＳ Ｐゴシック";
// Who the credit lines and the About box name as the maker.
inline constexpr const char* kMakerCredit = "Zanvoro 開発チーム";

// A UTF-8 literal as a QString.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Maps the windows' font family (and its ASCII name) to IPAPGothic where it is missing.
// Safe to call more than once; the windows call it themselves.
void InstallFontSubstitutions();

// The windows' font at a pixel height.
QFont PGothic(int pixelSize, bool bold = false, bool italic = false);

// Fixed colours of the layout tables.
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kTeal{0x00, 0x80, 0x80};
inline const QColor kBlack{0x00, 0x00, 0x00};

// System colours (shades chosen so sunken and raised bevels stay visible).
QColor Light3D();
QColor ButtonFace();
QColor WindowText();

// Gives a top-level window the system colours with `background` behind its controls.
void ApplyWindowColours(QWidget* window, const QColor& background);

// Sets the colour a control draws its text in (labels, buttons, frames' captions, edits).
void SetTextColour(QWidget* control, const QColor& colour);

// A label drawn on its parent's background, grown where its text needs more room.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  const QFont& font, const QColor& colour);

// A captioned frame drawn as an etched line through the middle of its caption, which is
// drawn in the frame's text colour; it takes no focus and lays out nothing.
QGroupBox* MakeCaptionFrame(QWidget* parent, const char* name, const QString& caption,
                            const QRect& geometry, const QFont& font, const QColor& colour);

// A read-only result box: sunken, button face, right-aligned, fixed size, no focus.
// A text too wide for the box is drawn smaller rather than cut off, and shown whole in the
// tooltip.
QLabel* MakeResultBox(QWidget* parent, const char* name, const QRect& geometry, bool bold);

// Makes radio buttons one exclusive group of their own. Needed wherever a parent holds
// radio buttons both directly and inside a child frame: Qt's automatic grouping searches
// the parent recursively and can then leave two buttons of a group checked.
void MakeExclusiveGroup(QObject* owner, const QList<QRadioButton*>& buttons);

// The program icon (32 × 32).
QIcon ProgramIcon();
QPixmap ProgramIconPixmap();

// Keyboard behaviour of a calculator window: Enter presses a focused push button or else
// `defaultButton`; Escape does nothing; arrows move within a parent along `arrowOrders`
// (each list is one parent's children in tab order, tab stops or not) and wrap; an edit
// entered by Tab or Shift+Tab selects its whole text; a focused radio button is checked.
//
// Further details:
// - Tab and Shift+Tab follow the same lists: the list of the window's own children, with
//   each container's list inserted right after the container. Tab stops are the controls
//   whose focus policy includes Tab, enabled and visible; of an exclusive group of radio
//   buttons only the checked one, whatever its focus policy.
// - The arrows skip controls that never take the focus (result boxes, frames).
// - Inside an edit Up and Down move the caret like Left and Right.
// - A letter typed while the focus is not in an edit presses the visible, enabled button
//   whose caption underlines that letter ("終了(&C)": C); Alt+letter is Qt's own.
// - While the focus is on a push button that button is drawn as the default; otherwise
//   `defaultButton` and the buttons already made default (setDefault) before this call.
void InstallWindowKeys(QWidget* window, QPushButton* defaultButton,
                       const QList<QList<QWidget*>>& arrowOrders);

// The one error display: a stop-icon message box titled "Zanvoro!" with the completed
// message and one OK button.
void ShowError(const std::exception& error);

// Runs an event handler; an error that escapes it goes to ShowError.
template <class F>
void RunHandler(F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

// Shows a window modally (the others disabled), returns its modal result (1 OK, 2 cancel)
// when it closes; the window is hidden, not destroyed. A QDialog ends by done()/accept()/
// reject() (rejected counts as 2); any other window ends by EndModal or by being closed (2).
int ShowModal(QWidget* window);

// Ends the modal run of a window shown by ShowModal with `result`, hiding the window.
void EndModal(QWidget* window, int result);

// The platform's default alert sound.
void Beep();

// Replaces what Beep does (tests count the beeps); an empty function restores the sound.
void SetBeepHandler(std::function<void()> handler);

}  // namespace zanvoro
