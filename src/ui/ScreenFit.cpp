// Moving a window's frame onto the screen it belongs to.
#include "ScreenFit.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace zanvoro {
namespace {

qint64 OverlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// The gap between two spans on one axis; 0 where they meet or overlap.
qint64 Gap(int aStart, int aLength, int bStart, int bLength) {
    return std::max({0, bStart - (aStart + aLength), aStart - (bStart + bLength)});
}

qint64 SquaredDistance(const QRect& a, const QRect& b) {
    const qint64 dx = Gap(a.left(), a.width(), b.left(), b.width());
    const qint64 dy = Gap(a.top(), a.height(), b.top(), b.height());
    return dx * dx + dy * dy;
}

// One axis: shifted back from the far edge, then forward to the near edge, which wins.
int FitAxis(int start, int length, int areaStart, int areaLength) {
    if (start + length > areaStart + areaLength) start = areaStart + areaLength - length;
    return std::max(start, areaStart);
}

// No margins at all means the window manager has not framed the window yet.
QMargins FrameMargins(const QWidget* window) {
    if (const QWindow* handle = window->windowHandle(); handle && window->isVisible())
        if (const QMargins own = handle->frameMargins(); !own.isNull()) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = other->windowType();
        if (other == window || !other->isVisible() || !other->windowHandle() ||
            (type != Qt::Window && type != Qt::Dialog))
            continue;
        if (const QMargins theirs = other->windowHandle()->frameMargins(); !theirs.isNull())
            return theirs;
    }
    return {8, 36, 8, 8};
}

}  // namespace

QRect FitFrame(const QRect& frame, const QList<QRect>& areas) {
    if (areas.isEmpty()) return frame;
    // The area overlapped most, or failing any overlap the nearest.
    const QRect* best = &areas.front();
    qint64 bestOverlap = OverlapArea(frame, *best);
    qint64 bestDistance = SquaredDistance(frame, *best);
    for (const QRect& area : areas) {
        const qint64 overlap = OverlapArea(frame, area);
        const qint64 distance = SquaredDistance(frame, area);
        if (overlap > bestOverlap || (bestOverlap == 0 && distance < bestDistance)) {
            best = &area;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return QRect(FitAxis(frame.left(), frame.width(), best->left(), best->width()),
                 FitAxis(frame.top(), frame.height(), best->top(), best->height()),
                 frame.width(), frame.height());
}

QPoint PlaceOnScreen(QWidget* window, const QPoint& tabulated) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    const QSize frameSize = window->size().grownBy(FrameMargins(window));
    const QPoint corner = FitFrame(QRect(tabulated, frameSize), areas).topLeft();
    window->move(corner);
    return corner;
}

}  // namespace zanvoro
