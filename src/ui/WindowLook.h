// The look both calculator windows share: the title, font, colours, labels, frames and result
// boxes.
#pragma once

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include "Description.h"

namespace zanvoro {

inline const QString kAppTitle = QString::fromUtf8(forms::kAppTitle.data(), forms::kAppTitle.size());
inline const QString kFontFamily =
    QString::fromUtf8(forms::kFontFamily.data(), forms::kFontFamily.size());

// Maps the windows' font family (and its ASCII name) to IPAPGothic where it is missing.
// Safe to call more than once; the windows call it themselves.
void InstallFontSubstitutions();

// The windows' font at a pixel height, for their own texts: without fallback fonts.
QFont PGothic(int pixelSize, bool bold = false, bool italic = false);
// `font` with fallback fonts, for what the user typed or pasted.
QFont WithFallbacks(QFont font);

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

}  // namespace zanvoro
