// Qt Test tests of fitting windows on screens, pictures at any pixel ratio and Qt's own texts.
#include <QApplication>
#include <QLibraryInfo>
#include <QtTest>

#include "QtTranslations.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"

using Areas = QList<QRect>;

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void framesFitTheirScreen_data();
    void framesFitTheirScreen();
    void picturesDrawnAtEveryRatio_data();
    void picturesDrawnAtEveryRatio();
    void qtTextsFollowTheLocale();
};

void DesktopTest::framesFitTheirScreen_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<Areas>("areas");
    QTest::addColumn<QPoint>("expected");
    const QRect full(0, 0, 1920, 1160);
    // 1920 × 1200 at scale factor 2, a panel at the bottom.
    const QRect scaled(0, 0, 960, 570);
    const Areas two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    QTest::newRow("on screen stays") << QRect(279, 139, 516, 520) << Areas{full}
                                     << QPoint(279, 139);
    QTest::newRow("main window at 2x, moved up") << QRect(279, 139, 516, 520) << Areas{scaled}
                                                 << QPoint(279, 50);
    QTest::newRow("calculator at 2x, moved left and up")
        << QRect(508, 213, 524, 515) << Areas{scaled} << QPoint(436, 55);
    QTest::newRow("panel at the top") << QRect(100, 10, 300, 200) << Areas{{0, 32, 800, 568}}
                                      << QPoint(100, 32);
    QTest::newRow("larger than the screen keeps its title bar")
        << QRect(100, 100, 800, 700) << Areas{{0, 0, 640, 480}} << QPoint(0, 0);
    QTest::newRow("second screen, past its right edge")
        << QRect(3000, 100, 516, 514) << two << QPoint(2684, 100);
    QTest::newRow("across two screens, onto the one it covers most")
        << QRect(1700, 100, 516, 514) << two << QPoint(1920, 100);
    QTest::newRow("off every screen, onto the nearest")
        << QRect(5000, 2000, 516, 514) << two << QPoint(2684, 510);
    QTest::newRow("no screens known") << QRect(-50, -50, 10, 10) << Areas{} << QPoint(-50, -50);
}

void DesktopTest::framesFitTheirScreen() {
    QFETCH(QRect, frame);
    QFETCH(Areas, areas);
    QFETCH(QPoint, expected);
    QCOMPARE(zanvoro::FitFrame(frame, areas), QRect(expected, frame.size()));
}

void DesktopTest::picturesDrawnAtEveryRatio_data() {
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0})
        QTest::newRow(qPrintable(QString::number(ratio))) << ratio;
}

// Drawn for the device pixels, not a bitmap scaled up: as many pixels as the ratio asks for,
// and the disabled picture grey.
void DesktopTest::picturesDrawnAtEveryRatio() {
    QFETCH(qreal, ratio);
    const QPixmap face = zanvoro::ScalableProgramIcon().pixmap(QSize(32, 32), ratio);
    QCOMPARE(face.size(), QSize(qRound(32 * ratio), qRound(32 * ratio)));
    QCOMPARE(face.devicePixelRatio(), ratio);
    const QImage image = face.toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 10), QColor(0, 0, 0xFF));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);

    const QIcon door = zanvoro::ScalableDoorPicture();
    const QImage normal = door.pixmap(QSize(18, 18), ratio).toImage();
    const QImage greyed = door.pixmap(QSize(18, 18), ratio, QIcon::Disabled).toImage();
    QCOMPARE(normal.width(), qRound(18 * ratio));
    QCOMPARE(greyed.size(), normal.size());
    for (int y = 0; y < greyed.height(); ++y)
        for (int x = 0; x < greyed.width(); ++x)
            QVERIFY(greyed.pixelColor(x, y).hsvSaturation() == 0);
}

void DesktopTest::qtTextsFollowTheLocale() {
    QVERIFY(!zanvoro::InstallQtTranslations(*qApp, QLocale(QLocale::English)));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Copy"));
    QVERIFY2(zanvoro::InstallQtTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)),
             qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QString::fromUtf8("コピー(&C)"));
    // The error box's button keeps its text.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
