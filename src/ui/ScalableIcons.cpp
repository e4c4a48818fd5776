// Icon engines that draw the program icon and the door picture at the size asked for.
#include "ScalableIcons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zanvoro {
namespace {

// Greys a picture's shape and embosses it with a white edge `offset` pixels down and right,
// as a disabled button shows its picture.
QImage Greyed(const QImage& source, int offset) {
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QImage mask(source.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QColor c = source.pixelColor(x, y);
            if (c.alpha() < 64 || c.lightness() > 160) continue;
            mask.setPixelColor(x, y, QColor(0, 0, 0, c.alpha()));
        }
    QPainter p(&out);
    const auto tinted = [&mask](const QColor& colour) {
        QImage t = mask;
        QPainter tp(&t);
        tp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tp.fillRect(t.rect(), colour);
        return t;
    };
    p.drawImage(QPoint(offset, offset), tinted(Qt::white));
    p.drawImage(QPoint(0, 0), tinted(QColor(0x80, 0x80, 0x80)));
    return out;
}

using PaintFunction = void (*)(QPainter&, const QRectF&);

class PaintedIconEngine : public QIconEngine {
public:
    PaintedIconEngine(PaintFunction draw, int designSide) : paint_(draw), side_(designSide) {}

    QIconEngine* clone() const override { return new PaintedIconEngine(paint_, side_); }
    QString key() const override { return QStringLiteral("zanvoro.painted"); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {{side_, side_}}; }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return Render(size, mode);
    }
    // `size` is in device pixels already; QIcon sets the ratio on what comes back.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override {
        return Render(size, mode);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pixmap = Render((QSizeF(rect.size()) * ratio).toSize(), mode);
        pixmap.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), pixmap);
    }

private:
    QPixmap Render(const QSize& size, QIcon::Mode mode) const {
        const int side = std::min(size.width(), size.height());
        if (side <= 0) return {};
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            paint_(p, QRectF(0, 0, side, side));
        }
        if (mode == QIcon::Disabled)
            image = Greyed(image, std::max(1, int(std::lround(qreal(side) / side_))));
        return QPixmap::fromImage(image);
    }

    PaintFunction paint_;
    int side_;
};

}  // namespace

QIcon ScalableProgramIcon() { return QIcon(new PaintedIconEngine(&PaintProgramIcon, kProgramIconSide)); }

QIcon ScalableDoorPicture() { return QIcon(new PaintedIconEngine(&PaintDoorPicture, kDoorPictureSide)); }

QPixmap ProgramIconPixmapFor(const QWidget* widget, int side) {
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    return ScalableProgramIcon().pixmap(QSize(side, side), ratio);
}

}  // namespace zanvoro
