// Copy and print commands of a window and the menu that offers them over its result area.
#include "ReportCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <functional>

#include "FormLook.h"
#include "Dialogs.h"
#include "EstimateReport.h"
#include "Unit4.h"
#include "WindowLook.h"

using namespace Qt::Literals::StringLiterals;

namespace zanvoro {
namespace {

// Ctrl+C: an edit of `window` that has the focus and a selection copies its selection, as
// it would by itself; otherwise the whole breakdown goes to the clipboard.
void CopyCommand(const CommandSource& source) {
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (edit && source.window->isAncestorOf(edit) && edit->hasSelectedText()) {
        edit->copy();
        return;
    }
    CopyToClipboard(source.report());
}

class ResultMenu final : public QObject {
public:
    ResultMenu(CommandSource source, std::vector<forms::ResultMenuEntry> entries,
               std::vector<forms::KeyBinding> keys)
        : QObject(source.window),
          window_(source.window),
          source_(std::move(source)),
          entries_(std::move(entries)),
          keys_(std::move(keys)) {
        QWidget* window = window_;
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
        const forms::Report report = source_.report();
        const forms::ReportFigure* figure =
            under ? forms::FigureShownBy(report, source_.control(under)) : nullptr;

        auto* menu = new QMenu(window_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->setFont(PGothic(12));
        QAction* one = menu->addAction(Text(forms::kCopyFigureCaption));
        one->setEnabled(figure != nullptr);
        const QString value = figure ? Text(figure->value) : QString();
        later(one, [value] { QGuiApplication::clipboard()->setText(value); });
        for (const forms::ResultMenuEntry& entry : entries_) {
            if (entry.separatorBefore) menu->addSeparator();
            later(menu->addAction(Text(entry.text(keys_))), [source = source_, command = entry.command] {
                if (source.window) RunFromMenu(command, source);
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
    CommandSource source_;
    std::vector<forms::ResultMenuEntry> entries_;
    std::vector<forms::KeyBinding> keys_;
};

}  // namespace

QKeyCombination KeyOf(const forms::KeyBinding& key) {
    static constexpr Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_C, Qt::Key_P,
                                        Qt::Key_B};
    return QKeyCombination(key.ctrl ? Qt::ControlModifier : Qt::NoModifier,
                           kKeys[static_cast<std::size_t>(key.key)]);
}

void RunFromMenu(forms::Command command, const CommandSource& source) {
    QWidget* window = source.window;
    switch (command) {
    case forms::Command::CopyBreakdown: CopyToClipboard(source.report()); break;
    case forms::Command::Print: PrintEstimate(source.report(), window); break;
    case forms::Command::SavePdf: SaveEstimatePdf(source.report(), window); break;
    case forms::Command::OpenBatch: OpenBatchWindow(window, source.settings()); break;
    case forms::Command::Close: window->close(); break;
    case forms::Command::None:
    case forms::Command::ShowCalculator:
    case forms::Command::ShowAbout: break;
    }
}

void RunFromKey(forms::Command command, const CommandSource& source) {
    if (command == forms::Command::CopyBreakdown)
        CopyCommand(source);
    else
        RunFromMenu(command, source);
}

void InstallResultMenu(const CommandSource& source,
                       const std::vector<forms::ResultMenuEntry>& entries,
                       const std::vector<forms::KeyBinding>& keys) {
    new ResultMenu(source, entries, keys);
}

}  // namespace zanvoro
