// A style that reads the menu bar's overflow picture late, and the first-paint probe.
#include "StartupProbe.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace zanvoro {
namespace {

// A standard icon of `style` fetched the first time it is drawn.
class LaterIcon final : public QIconEngine {
public:
    LaterIcon(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    QIconEngine* clone() const override { return new LaterIcon(style_, which_); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    const QIcon& real() {
        if (icon_.isNull() && style_) icon_ = style_->standardIcon(which_);
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
};

class StartupStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new LaterIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Paint || done_) return false;
        done_ = true;
        // Once the paint under way has reached the screen.
        QTimer::singleShot(0, watched, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n", now.tv_sec * 1'000'000'000LL + now.tv_nsec);
            std::fflush(stdout);
            QApplication::quit();
        });
        return false;
    }

private:
    bool done_ = false;
};

}  // namespace

void InstallStartupStyle() { QApplication::setStyle(new StartupStyle); }

void ReportFirstPaint(QWidget* window) {
    if (qEnvironmentVariableIsSet("ZANVORO_FIRST_PAINT_PROBE")) new FirstPaint(window);
}

}  // namespace zanvoro
