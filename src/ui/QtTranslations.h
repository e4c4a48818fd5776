// Qt's own texts (an edit's context menu, the print and file dialogs) in the user's language.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace zanvoro {

// Loads Qt's translations for `locale` (qtbase, from Qt's translations folder) into `app`.
// False when there is none for that language, as for English, or the package is missing:
// Qt then keeps its built-in English. The windows' own texts are not translated.
bool InstallQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

}  // namespace zanvoro
