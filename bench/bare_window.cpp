// The reference of the start-up measurement: a bare Qt window of the main window's size and font.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

// The windows' font as the program asks for it: 16 px "ＭＳ Ｐゴシック", IPA's where that is
// missing, without fallback fonts.
QFont WindowsFont() {
    const QString family = QStringLiteral("ＭＳ Ｐゴシック");
    if (!QFontDatabase::families().contains(family))
        QFont::insertSubstitution(family, QStringLiteral("IPAPGothic"));
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(16);
    return font;
}

// With ZANVORO_FIRST_PAINT_PROBE set (bench/startup.py sets it), prints
// "first-paint <CLOCK_MONOTONIC ns>" once the window's first paint is done, and quits.
class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        watched->removeEventFilter(this);
        // After the paint under way, which the window system then shows.
        QTimer::singleShot(0, this, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n", now.tv_sec * 1'000'000'000LL + now.tv_nsec);
            std::fflush(stdout);
            QApplication::quit();
        });
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zanvoro!Pro"));
    // The main window's outer size: its client area and the menu bar above it.
    window.setFixedSize(508, 462 + 21);
    window.setFont(WindowsFont());
    // One text, so that the font is really loaded and drawn.
    QLabel label(QStringLiteral("希望工事費 (税込)"), &window);
    label.move(8, 8);
    if (qEnvironmentVariableIsSet("ZANVORO_FIRST_PAINT_PROBE")) new FirstPaintProbe(&window);
    window.show();
    return app.exec();
}
