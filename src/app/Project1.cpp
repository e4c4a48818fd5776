// Program start: the application, its title, the three windows and the event loop.
#include <QApplication>

#include <clocale>

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
    zanvoro::InstallQtTranslations(app);
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
    zanvoro::ReportFirstPaint(&form1);
    form1.show();
    return app.exec();
}
