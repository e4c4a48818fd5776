// Copy and print commands of a window and the menu that offers them over its result area.
#include "ReportCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <functional>

#include "Dialogs.h"
#include "EstimateReport.h"
#include "Unit4.h"
#include "WindowLook.h"

using namespace Qt::Literals::StringLiterals;

namespace zanvoro {
namespace {

// The figure that `control` shows, if it shows one.
const ReportFigure* FigureShownBy(const EstimateReport& report, const QWidget* control) {
    if (!control) return nullptr;
    for (const ReportFigure& figure : report.figures)
        if (figure.controls.contains(control)) return &figure;
    return nullptr;
}

void CopyBreakdown(QWidget* window) { CopyToClipboard(ReportOfWindow(window)); }

class ResultMenu final : public QObject {
public:
    explicit ResultMenu(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    // Context menu events that no control took travel up to the window and end here.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != window_ || e->type() != QEvent::ContextMenu) return false;
        const QPoint at = static_cast<QContextMenuEvent*>(e)->globalPos();
        // The menu bar is no part of the results.
        for (const QWidget* w = window_->childAt(window_->mapFromGlobal(at)); w && w != window_;
             w = w->parentWidget())
            if (qobject_cast<const QMenuBar*>(w)) return false;
        RunHandler([&] { open(at); });
        return true;
    }

private:
    void open(const QPoint& at) {
        const QWidget* under = window_->childAt(window_->mapFromGlobal(at));
        const EstimateReport report = ReportOfWindow(window_);
        const ReportFigure* figure = FigureShownBy(report, under);

        auto* menu = new QMenu(window_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->setFont(PGothic(12));
        QAction* one = menu->addAction(u"コピー"_s);
        one->setEnabled(figure != nullptr);
        const QString value = figure ? figure->value : QString();
        later(one, [value] { QGuiApplication::clipboard()->setText(value); });
        for (const WindowCommand& command : WindowCommands()) {
            if (command.separatorBefore) menu->addSeparator();
            // The key's text from the key itself, so that the two cannot disagree.
            const QString text =
                command.key == QKeyCombination()
                    ? command.menuText
                    : command.menuText + u'\t' +
                          QKeySequence(command.key).toString(QKeySequence::PortableText);
            later(menu->addAction(text), [w = window_, run = command.fromMenu] {
                if (w) run(w);
            });
        }
        menu->popup(at);
    }

    // Runs `command` once the menu has closed and its click is over, from the window's event
    // loop: dialogs then open over the window, not inside the menu's mouse handling.
    void later(QAction* action, const std::function<void()>& command) {
        QObject::connect(
            action, &QAction::triggered, window_, [command] { RunHandler(command); },
            Qt::QueuedConnection);
    }

    QPointer<QWidget> window_;
};

}  // namespace

const QList<WindowCommand>& WindowCommands() {
    static const QList<WindowCommand> commands = {
        {u"内訳をコピー"_s, Qt::ControlModifier | Qt::Key_C, &CopyBreakdown, &CopyCommand},
        {u"印刷…"_s, Qt::ControlModifier | Qt::Key_P, &PrintCommand, nullptr, true},
        {u"PDFとして保存…"_s, {}, &SavePdfCommand, nullptr},
        {u"一括計算…"_s, Qt::ControlModifier | Qt::Key_B, &OpenBatchWindow, nullptr, true},
    };
    return commands;
}

void CopyCommand(QWidget* window) {
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (edit && window->isAncestorOf(edit) && edit->hasSelectedText()) {
        edit->copy();
        return;
    }
    CopyBreakdown(window);
}

void PrintCommand(QWidget* window) { PrintEstimate(ReportOfWindow(window), window); }

void SavePdfCommand(QWidget* window) { SaveEstimatePdf(ReportOfWindow(window), window); }

void InstallResultMenu(QWidget* window) { new ResultMenu(window); }

}  // namespace zanvoro
