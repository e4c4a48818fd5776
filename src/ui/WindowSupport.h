// What both calculator windows share: fonts, colours, result boxes, keys, errors, modality.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <exception>
#include <utility>

namespace zanvoro {

inline constexpr const char* kAppTitle = "Zanvoro!";
inline constexpr const char* kFontFamily = "ＭＳ Ｐゴシック";

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

// A read-only result box: sunken, button face, right-aligned, fixed size, no focus.
QLabel* MakeResultBox(QWidget* parent, const char* name, const QRect& geometry, bool bold);

// The program icon (32 × 32).
QIcon ProgramIcon();
QPixmap ProgramIconPixmap();

// Keyboard behaviour of a calculator window: Enter presses a focused push button or else
// `defaultButton`; Escape does nothing; arrows move within a parent along `arrowOrders`
// (each list is one parent's children in tab order, tab stops or not) and wrap; an edit
// entered by Tab or Shift+Tab selects its whole text; a focused radio button is checked.
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
// when it closes; the window is hidden, not destroyed.
int ShowModal(QWidget* window);

// The platform's default alert sound.
void Beep();

}  // namespace zanvoro
