// Qt Test tests of the estimate leaving the program: copied to the clipboard and written as PDF.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QAccessible>
#include <QtTest>

#include <memory>

#include "EstimateReport.h"
#include "batch/batch.h"
#include "ReportCommands.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WindowLook.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The value boxes of a window in build-up order; rates at 2, 5 and 8, each applying to the
// amount two rows above it.
const QStringList kMainOrder = {"SText4", "SText1", "SText5", "SText10", "SText2",
                                "SText11", "SText9", "SText3", "SText8", "SText6",
                                "SText7", "SText12", "SText13"};
const QStringList kCalculatorOrder = {"SText4", "SText1", "Edit6", "SText10", "SText2",
                                      "Edit5", "SText9", "SText3", "Edit4", "SText6",
                                      "SText7", "SText12", "SText13"};

QString Shown(const QWidget* window, const QString& name) {
    const QObject* o = window->findChild<QObject*>(name);
    if (const auto* label = qobject_cast<const QLabel*>(o)) return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(o)) return edit->text();
    return {};
}

// A window after one calculation with the category and the second extra amount set.
// With `manual` the calculator takes its rates as typed (RadioButton2).
std::unique_ptr<QWidget> Calculated(bool calculator, const QString& cost, const QString& category,
                                    bool manual = false) {
    std::unique_ptr<QWidget> w;
    if (calculator) w = std::make_unique<TForm3>(); else w = std::make_unique<TForm1>();
    w->findChild<QLineEdit*>("Edit1")->setText(cost);
    w->findChild<QRadioButton*>(category)->setChecked(true);
    w->findChild<QCheckBox*>("CheckBox2")->setChecked(true);
    w->findChild<QLineEdit*>("Edit3")->setText(u"20"_s);
    if (manual) {
        w->findChild<QRadioButton*>("RadioButton2")->setChecked(true);
        for (const char* rate : {"Edit4", "Edit5", "Edit6"})
            w->findChild<QLineEdit*>(rate)->setText(u"10"_s);
    }
    w->findChild<QPushButton*>("Button1")->click();
    // Changed after the calculation: the basis stays that of the figures shown.
    w->findChild<QRadioButton*>(category == u"rb1"_s ? "rb2" : "rb1")->setChecked(true);
    return w;
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void windows_data();
    void clipboardRowsReadBackAsShown_data() { windows_data(); }
    void clipboardRowsReadBackAsShown();
    void pdfHoldsEveryCaptionAndValue_data() { windows_data(); }
    void pdfHoldsEveryCaptionAndValue();
};

void ReportTest::windows_data() {
    QTest::addColumn<bool>("calculator");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("read");  // Edit1 as the copy reads it
    // 適用 of the three rates, by a word of the rule: "以下", "超", "×" for a formula, "手動入力".
    QTest::addColumn<QStringList>("rules");
    QTest::newRow("main, road maintenance") << false << u"015448"_s << u"rb1"_s << false
                                            << u"15448"_s << QStringList{"×", "超", "×"};
    QTest::newRow("main, renovation") << false << u"987654"_s << u"rb3"_s << false
                                      << u"987654"_s << QStringList{"超", "超", "超"};
    QTest::newRow("calculator, new building") << true << u"5000"_s << u"rb2"_s << false
                                              << u"5000"_s << QStringList{"×", "×", "×"};
    QTest::newRow("calculator, small") << true << u"300"_s << u"rb1"_s << false << u"300"_s
                                       << QStringList{"以下", "以下", "以下"};
    QTest::newRow("calculator, manual") << true << u"5000"_s << u"rb3"_s << true << u"5000"_s
                                        << QStringList{"手動入力", "手動入力", "手動入力"};
}

void ReportTest::clipboardRowsReadBackAsShown() {
    QFETCH(bool, calculator);
    QFETCH(QString, cost);
    QFETCH(QString, category);
    QFETCH(bool, manual);
    QFETCH(QString, read);
    QFETCH(QStringList, rules);
    const auto window = Calculated(calculator, cost, category, manual);
    const QStringList& order = calculator ? kCalculatorOrder : kMainOrder;
    QCOMPARE(Shown(window.get(), order[0]) == u"0"_s, false);  // a real result, not the start
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto* edit = window->findChild<QLineEdit*>("Edit1");
    edit->setFocus();
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);

    QClipboard* clipboard = QApplication::clipboard();
    const QStringList lines = clipboard->text().split(u'\n');
    const qsizetype blank = lines.indexOf(QString());
    QCOMPARE(lines.first(), window->windowTitle());
    const QString typed = read == cost ? QString() : u"\t入力: "_s + cost;
    QVERIFY(lines.mid(1, blank - 1).contains(u"%1\t%2\t万円%3"_s.arg(
        calculator ? u"希望直接工事費"_s : u"希望工事費 (税込)"_s, read, typed)));
    QVERIFY(lines.contains(u"全経費を掛けない金額\t20\t万円"_s));
    QVERIFY(lines.contains(u"直工だけに含まない金額\tなし\t"_s));
    // The category the figures were calculated with, not the one chosen since.
    const QString used = window->findChild<QRadioButton*>(category)->text();
    QVERIFY(lines.contains(u"工事種類\t%1\t"_s.arg(used)));

    const QStringList figures = lines.mid(blank + 1, order.size());
    QCOMPARE(lines.size(), blank + 1 + order.size() + 1);  // ends with a line break
    for (qsizetype i = 0; i < order.size(); ++i) {
        const QStringList cells = figures[i].split(u'\t');
        const bool rate = i % 3 == 2 && i < 9;
        QCOMPARE(cells.size(), rate ? 8 : 3);
        QCOMPARE(cells[0], QString::fromUtf8(costmodel::captions::kFigures[std::size_t(i)]));
        QCOMPARE(cells[1], Shown(window.get(), order[i]));
        QCOMPARE(cells[2], rate ? u"％"_s : u"万円"_s);
        if (rate) {
            // Each number beside the word that says what it is, in a cell of its own.
            QCOMPARE(cells.mid(3, 3), (QStringList{u"対象額"_s, Shown(window.get(), order[i - 2]),
                                                   u"万円"_s}));
            QCOMPARE(cells[6], u"適用"_s);
            QVERIFY2(cells[7].contains(rules[i / 3]), qPrintable(cells[7]));
        }
        // A screen reader reads a box's figure from its name, an edit's from its text.
        auto* shown = window->findChild<QWidget*>(order[i]);
        const QString spoken =
            QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name);
        QCOMPARE(spoken, qobject_cast<QLineEdit*>(shown) ? cells[0] : cells.mid(0, 3).join(u' '));
    }

    // An edit's own selection keeps the key.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), cost);

    // The menu over the direct cost copies that one figure.
    auto* box = window->findChild<QWidget*>(order[0]);
    const QPoint centre = box->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, centre, box->mapToGlobal(centre));
    QApplication::sendEvent(box, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 7);  // with two separators
    QStringList entries;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) entries << a->text();
    QCOMPARE(entries, (QStringList{u"コピー"_s, u"内訳をコピー\tCtrl+C"_s, u"印刷…\tCtrl+P"_s,
                                   u"PDFとして保存…"_s, u"一括計算…\tCtrl+B"_s}));
    menu->actions().first()->trigger();
    menu->close();
    QTRY_COMPARE(clipboard->text(), Shown(window.get(), order[0]));
}

void ReportTest::pdfHoldsEveryCaptionAndValue() {
    QFETCH(bool, calculator);
    QFETCH(QString, cost);
    QFETCH(QString, category);
    QFETCH(bool, manual);
    const auto window = Calculated(calculator, cost, category, manual);
    forms::Report report =
        dynamic_cast<const zanvoro::CalculatorWindow*>(window.get())->Form().ReportShown();
    report.title += " <&>";  // must reach the page as typed, not as markup
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };

    QTemporaryDir dir;
    const QString path = dir.filePath(u"sheet.pdf"_s);
    zanvoro::WriteEstimatePdf(report, path);
    const QString text = Run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) could not read the sheet");
    QVERIFY(text.contains(q(report.title)));
    QVERIFY(text.contains(u"Zanvoro!"_s));
    // Each row on a line of its own, its cells in order, the rows in the report's order.
    const QStringList lines = text.split(u'\n');
    qsizetype at = 0;
    const auto rowOf = [&](const QString& caption) {
        while (at < lines.size() && !lines[at].simplified().startsWith(caption)) ++at;
        return at < lines.size() ? lines[at].simplified() : QString();
    };
    const auto cells = [](const QStringList& texts) {
        return texts.join(u' ').simplified();
    };
    for (const auto& line : report.inputs) {
        QCOMPARE(rowOf(q(line.caption)), cells({q(line.caption), q(line.value), q(line.unit)}));
        // The text as typed, where it differs, on the line under the amount read.
        const QString under = at + 1 < lines.size() ? lines[at + 1].simplified() : QString();
        if (line.typed.empty()) QVERIFY2(!under.startsWith(u"（入力"_s), qPrintable(under));
        else QCOMPARE(under, u"（入力 "_s + q(line.typed) + u"）"_s);
    }
    for (std::size_t i = 0; i < report.figures.size(); ++i) {
        const auto& figure = report.figures[i];
        if (figure.rate) {  // on its amount's line
            QVERIFY2(i > 0 && !report.figures[i - 1].rate, figure.caption.c_str());
            QVERIFY2(text.simplified().contains(q(figure.rule).simplified()), figure.rule.c_str());
            continue;
        }
        QStringList row = {q(figure.caption), q(figure.value), q(figure.unit)};
        if (i + 1 < report.figures.size() && report.figures[i + 1].rate)
            row << q(report.figures[i + 1].value) << q(report.figures[i + 1].unit);
        QCOMPARE(rowOf(q(figure.caption)), cells(row));
    }
    QVERIFY(Run(u"pdfinfo"_s, {path}).contains(QRegularExpression(u"Pages: +1\n"_s)));

    // Every font is in the file, or the sheet depends on the reader's fonts for Japanese.
    const QStringList fonts = Run(u"pdffonts"_s, {path}).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(fonts.size() > 2);
    for (const QString& font : fonts.mid(2)) QVERIFY2(font.contains(u" yes "_s), qPrintable(font));

    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             zanvoro::WriteEstimatePdf(report, dir.filePath(u"no/such/x.pdf"_s)));
}

QTEST_MAIN(ReportTest)
#include "ReportTest.moc"
