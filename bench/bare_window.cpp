// The reference of the start-up measurement: a bare Qt window of the main window's size and font.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "StartupProbe.h"
#include "WindowLook.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zanvoro!Pro"));
    // The main window's outer size: its client area and the menu bar above it.
    window.setFixedSize(508, 462 + 21);
    window.setFont(zanvoro::PGothic(16));
    // One text, so that the font is really loaded and drawn.
    QLabel label(QStringLiteral("希望工事費 (税込)"), &window);
    label.move(8, 8);
    zanvoro::ReportFirstPaint(&window);
    window.show();
    return app.exec();
}
