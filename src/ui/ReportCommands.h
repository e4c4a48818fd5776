// The commands of a calculating window, for its keys and its result area's menu.
#pragma once

#include <QKeyCombination>
#include <QPointer>

#include <functional>
#include <vector>

#include "Description.h"
#include "Report.h"
#include "batch/batch.h"

class QWidget;

namespace zanvoro {

// A key of the description as Qt names it.
QKeyCombination KeyOf(const forms::KeyBinding& key);

// What the commands need of the window they run for.
struct CommandSource {
    QPointer<QWidget> window;
    std::function<forms::Report()> report;            // the estimate shown
    std::function<costbatch::Settings()> settings;    // what the batch window takes
    std::function<forms::ControlId(const QWidget*)> control;  // the control a widget is
};

// A command run from the result area's menu, and from its key where that does more (Ctrl+C
// in an edit with a selection copies only that).
void RunFromMenu(forms::Command command, const CommandSource& source);
void RunFromKey(forms::Command command, const CommandSource& source);

// A right click in the window where no control has a menu of its own (the result boxes,
// labels, the background) opens "コピー" (the figure under the pointer, enabled only over
// one), then `entries`, each with its key from `keys`. Owned by the window; a command runs
// after the menu has closed, and an error it raises goes to the error display.
void InstallResultMenu(const CommandSource& source,
                       const std::vector<forms::ResultMenuEntry>& entries,
                       const std::vector<forms::KeyBinding>& keys);

}  // namespace zanvoro
