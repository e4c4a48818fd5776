// Drawing the program icon and the door picture from shapes.
#include "Pictures.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace zanvoro {
namespace {

// Both pictures are designed on a grid of whole pixels at their bitmap size: fills on pixel
// edges, one-pixel strokes through pixel centres, so that at 1× nothing falls between pixels.
void Scale(QPainter& p, const QRectF& target, qreal grid) {
    p.translate(target.topLeft());
    p.scale(target.width() / grid, target.height() / grid);
}

QPen Stroke(const QColor& colour, qreal width = 1.0) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void Eye(QPainter& p, qreal cx, qreal cy) {
    p.setPen(Stroke(Qt::black));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx, cy), 4.4, 5.7);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(cx + 0.5, cy + 1.5), 2.3, 2.9);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx - 0.5, cy + 0.6), 0.8, 0.8);  // the glint
}

}  // namespace

void PaintProgramIcon(QPainter& painter, const QRectF& target) {
    painter.save();
    Scale(painter, target, kProgramIconSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x00, 0x80));  // navy rim
    painter.drawEllipse(QPointF(16, 16), 15.7, 15.7);
    painter.setBrush(QColor(0x00, 0x00, 0xFF));
    painter.drawEllipse(QPointF(16, 16), 14.4, 14.4);
    painter.setBrush(QColor(0x40, 0x80, 0xFF));  // highlight towards the upper left
    painter.drawEllipse(QPointF(8.5, 6.5), 3.2, 3.2);
    painter.setBrush(QColor(0x80, 0xC0, 0xFF));
    painter.drawEllipse(QPointF(8.2, 6.2), 1.4, 1.4);
    Eye(painter, 11.0, 13.0);
    Eye(painter, 21.0, 13.0);
    painter.setPen(Stroke(QColor(0x80, 0x00, 0x00)));  // small red mouth
    painter.setBrush(QColor(0xFF, 0x00, 0x00));
    painter.drawEllipse(QPointF(16, 24), 3.3, 2.0);
    painter.restore();
}

void PaintDoorPicture(QPainter& painter, const QRectF& target) {
    painter.save();
    Scale(painter, target, kDoorPictureSide);
    // the exit sign, an arrow pointing out
    painter.setPen(Stroke(QColor(0x00, 0x40, 0x00)));
    painter.setBrush(QColor(0x00, 0x80, 0x00));
    painter.drawRect(QRectF(3.5, 0.5, 11, 4));
    QPen arrow = Stroke(Qt::white);
    arrow.setCapStyle(Qt::FlatCap);
    painter.setPen(arrow);
    painter.drawLine(QPointF(5, 2.5), QPointF(12.5, 2.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const QPointF head[] = {{10.5, 1}, {13, 2.5}, {10.5, 4}};
    painter.drawPolygon(head, 3);
    // the dark opening in its frame
    painter.setPen(Stroke(QColor(0x40, 0x40, 0x40)));
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawRect(QRectF(4.5, 6.5, 10, 11));
    // the leaf, hinged on the left and swung open towards the viewer, with its knob
    painter.setPen(Stroke(QColor(0x60, 0x30, 0x00)));
    painter.setBrush(QColor(0xC0, 0x70, 0x20));
    const QPointF leaf[] = {{5.5, 7.5}, {9.5, 9.5}, {9.5, 17.5}, {5.5, 17.5}};
    painter.drawPolygon(leaf, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xFF, 0x00));
    painter.drawEllipse(QPointF(8.5, 13.5), 0.6, 0.6);
    // the floor
    painter.setPen(Stroke(QColor(0x80, 0x80, 0x80)));
    painter.drawLine(QPointF(2, 17.5), QPointF(16, 17.5));
    painter.restore();
}

}  // namespace zanvoro
