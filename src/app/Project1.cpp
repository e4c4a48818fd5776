// Program start: the application, its title, the three windows and the event loop.
#include <QApplication>

#include <clocale>

#include "ProgramIcon.h"
#include "QtTranslations.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WindowLook.h"
#include "text/numbertext.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zanvoro::InstallQtTranslations(app);
    // Qt adopts the user's locale for the C library; the number texts follow only the
    // separator read below.
    std::setlocale(LC_NUMERIC, "C");
    costmodel::LoadDecimalSeparatorFromEnvironment();

    QApplication::setApplicationName(QString::fromUtf8(zanvoro::kAppTitle));
    QApplication::setWindowIcon(zanvoro::ProgramIcon());

    TForm1 form1;
    TAboutBox aboutBox;
    form1.setAboutBox(&aboutBox);
    TForm3 form3;
    form1.setCalculatorWindow(&form3);

    QObject::connect(&form1, &TForm1::closed, &app, &QApplication::quit);
    form1.show();
    return app.exec();
}
