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
#include <utility>
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
    FirstPaint(QWidget* window, std::function<void()> run) : QObject(window), run_(std::move(run)) {
        // After the paint under way, which the window system then shows.
        later_.setSingleShot(true);
        connect(&later_, &QTimer::timeout, this, [this] {
            run_();
            deleteLater();
        });
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        watched->removeEventFilter(this);
        later_.start(0);
        return false;
    }

private:
    std::function<void()> run_;
    QTimer later_;
};

}  // namespace

// The application owns its style and the window its watcher, which the analyser cannot see.
// NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
void InstallStartupStyle() { QApplication::setStyle(new StartupStyle); }

void AfterFirstPaint(QWidget* window, std::function<void()> run) {
    new FirstPaint(window, std::move(run));
}
// NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)

void ReportFirstPaint(QWidget* window) {
    if (!qEnvironmentVariableIsSet("ZANVORO_FIRST_PAINT_PROBE")) return;
    AfterFirstPaint(window, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-paint %lld\n", now.tv_sec * 1'000'000'000LL + now.tv_nsec);
        std::fflush(stdout);
        QApplication::quit();
    });
}

}  // namespace zanvoro
