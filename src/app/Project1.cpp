// Program start: the application, its title, the three windows and the event loop.
#include <QAccessible>
#include <QApplication>

#include <clocale>

#include "AccessibleNames.h"
#include "QtTranslations.h"
#include "ScalableIcons.h"
#include "StartupProbe.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WindowLook.h"
#include "text/numbertext.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zanvoro::InstallStartupStyle();
    // Qt adopts the user's locale for the C library; the number texts follow only the
    // separator read below.
    std::setlocale(LC_NUMERIC, "C");
    costmodel::LoadDecimalSeparatorFromEnvironment();

    QApplication::setApplicationName(zanvoro::kAppTitle);
    QApplication::setWindowIcon(zanvoro::ScalableProgramIcon());

    // All three made before the main window shows, each with only what the first paint needs.
    TForm1 form1(nullptr, zanvoro::Construction::ForStartup);
    TAboutBox aboutBox(nullptr, zanvoro::Construction::ForStartup);
    form1.setAboutBox(&aboutBox);
    TForm3 form3(nullptr, zanvoro::Construction::ForStartup);
    form1.setCalculatorWindow(&form3);

    QObject::connect(&form1, &TForm1::closed, &app, &QApplication::quit);
    // Qt's own texts (an edit's menu, the print dialog) and the screen-reader names are
    // nothing the first paint needs; the names are, when a screen reader is listening already.
    if (QAccessible::isActive()) form1.NameControls();
    zanvoro::AfterFirstPaint(&form1, [&app, &form1] {
        zanvoro::InstallQtTranslations(app);
        if (!form1.Named()) form1.NameControls();
    });
    // Watching last, it sees the paint first: the time reported leaves the naming out.
    zanvoro::ReportFirstPaint(&form1);
    form1.show();
    return app.exec();
}
