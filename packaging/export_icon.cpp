// Writes the program icon for the desktop's icon theme: PNGs at the given sides and the SVG.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

#include <cstdio>
#include <string_view>

#include "Pictures.h"

namespace {

bool WritePng(const QString& file, int side,
              void (*paint)(QPainter&, const QRectF&) = zanvoro::PaintProgramIcon) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, QRectF(0, 0, side, side));
    }
    return image.save(file, "PNG");
}

bool WriteSvg(const QString& file) {
    constexpr int side = zanvoro::kProgramIconSide;
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setResolution(96);  // so that the nominal size is `side` CSS pixels
    svg.setSize(QSize(side, side));
    svg.setViewBox(QRect(0, 0, side, side));
    svg.setTitle(QStringLiteral("Zanvoro!"));
    svg.setDescription(QStringLiteral("The Zanvoro! program icon"));
    QPainter p;
    if (!p.begin(&svg)) return false;
    zanvoro::PaintProgramIcon(p, QRectF(0, 0, side, side));
    return p.end();
}

}  // namespace

// zanvoro_icon_export DIR SIDE...: DIR/SIDExSIDE/apps/zanvoro.png for each side and
// DIR/scalable/apps/zanvoro.svg, as the hicolor theme lays them out.
// zanvoro_icon_export --door DIR SIDE...: the door picture as DIR/door-SIDE.png, for the
// Windows build's resources, which cannot paint it without Qt.
int main(int argc, char** argv) {
    if (argc >= 3 && argv[1] == std::string_view("--door")) {
        const QDir out(QString::fromLocal8Bit(argv[2]));
        for (int i = 3; i < argc; ++i) {
            const int side = QString::fromLatin1(argv[i]).toInt();
            if (side <= 0 || !out.mkpath(QStringLiteral(".")) ||
                !WritePng(out.filePath(QStringLiteral("door-%1.png").arg(side)), side,
                          zanvoro::PaintDoorPicture)) {
                std::fprintf(stderr, "cannot write the %s pixel door\n", argv[i]);
                return 1;
            }
        }
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s [--door] output-dir [side...]\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int side = QString::fromLatin1(argv[i]).toInt();
        const QString dir = QStringLiteral("%1x%1/apps").arg(side);
        if (side <= 0 || !out.mkpath(dir) ||
            !WritePng(out.filePath(dir + QStringLiteral("/zanvoro.png")), side)) {
            std::fprintf(stderr, "cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    if (!out.mkpath(QStringLiteral("scalable/apps")) ||
        !WriteSvg(out.filePath(QStringLiteral("scalable/apps/zanvoro.svg")))) {
        std::fprintf(stderr, "cannot write the scalable icon\n");
        return 1;
    }
    return 0;
}
