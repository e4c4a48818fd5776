// Keeping a window wholly on a screen: moved just enough, or left where its table puts it.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace zanvoro {

// `frame` moved just enough to lie within one of `areas` (the screens' available geometries):
// the area it overlaps most, or the nearest one when it overlaps none. A frame larger than its
// area keeps its top left corner, and so its title bar, inside. Without areas, unchanged.
QRect FitFrame(const QRect& frame, const QList<QRect>& areas);

// Moves a top-level window so that its frame's top left corner is at `tabulated`, or just far
// enough from there for the whole frame to be on screen; returns that corner. Before the first
// showing the window system has not told the frame's size yet: the frame of another visible
// window of the program stands in for it, or else a generous title bar and border.
QPoint PlaceOnScreen(QWidget* window, const QPoint& tabulated);

}  // namespace zanvoro
