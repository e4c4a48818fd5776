// Qt Test tests of the batch window, checked against the calculating windows themselves.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QStringEncoder>
#include <QtTest>

#include <memory>

#include "Accessible.h"
#include "BatchTableModel.h"
#include "ErrorBoxes.h"
#include "Modal.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit4.h"
#include "CalculatorWindow.h"

using namespace Qt::StringLiterals;

namespace {

// The thirteen figures a calculating window shows, in the batch table's order.
QStringList Shown(const QWidget* w) {
    const bool main = w->objectName() == u"Form1"_s;
    QStringList out;
    for (const char* name : {"SText4", "SText1", main ? "SText5" : "Edit6", "SText10", "SText2",
                             main ? "SText11" : "Edit5", "SText9", "SText3",
                             main ? "SText8" : "Edit4", "SText6", "SText7", "SText12", "SText13"})
        out << w->findChild<QWidget*>(QString::fromLatin1(name))->property("text").toString();
    return out;
}

QStringList Cells(const TForm4& f, int row, int from, int count) {
    QStringList out;
    for (int c = from; c < from + count; ++c) out << f.Model->index(row, c).data().toString();
    return out;
}

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

// Answers the next file dialog with `path` (after choosing `filter`, when given).
void AnswerFileDialog(const QString& path, const QString& filter) {
    OnNextModal([path, filter](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        if (!filter.isEmpty()) dialog->selectNameFilter(filter);
        // Typed, as selectFile leaves a focused name field alone.
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

class Unit4Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm4> form;

    // Pasted through the window's own key, and computed to the end.
    void Paste(TForm4& f, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(f.Grid1, Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(!f.Computing());
    }

    QString CopyAll(TForm4& f) {
        f.Grid1->clearSelection();
        QTest::keyClick(f.Grid1, Qt::Key_C, Qt::ControlModifier);
        return Clipboard();
    }

private slots:
    void initTestCase() {
        zanvoro::SetBeepHandler([] {});
    }
    void init() { form = std::make_unique<TForm4>(); }
    void cleanup() { form.reset(); }

    // Named and reachable: every control by Tab, the table's cells read with their captions.
    void keyboardAndNames() {
        Paste(*form, u"100\n200\n"_s);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->windowTitle(), u"一括計算"_s);
        QVERIFY(!form->windowIcon().isNull());
        form->RadioButton1->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order.join(u' '),
                 u"rb1 CheckBox1 CheckBox2 CheckBox3 Button1 Button2 Button3 "
                 u"Button4 Grid1 RadioButton1"_s);
        // The table keeps its own keys, but the default frame still leaves the button for it.
        form->Button4->setFocus(Qt::TabFocusReason);
        QVERIFY(form->Button4->isDefault());
        QTest::keyClick(form->Button4, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Grid1);
        QVERIFY(!form->Button4->isDefault());
        for (QWidget* w : std::initializer_list<QWidget*>{
                 form->RadioButton1, form->RadioButton2, form->rb1, form->rb2, form->rb3,
                 form->CheckBox1, form->Edit2, form->CheckBox2, form->Edit3, form->CheckBox3,
                 form->Button1, form->Button2, form->Button3, form->Button4, form->Button5,
                 form->Label3, form->GroupBox1, form->RadioGroup1, form->GroupBox2})
            VerifyAccessible(w);
        for (QWidget* w :
             std::initializer_list<QWidget*>{form->Grid1, form->Grid1->horizontalHeader(),
                                             form->Grid1->verticalHeader(), form->ProgressBar1})
            QVERIFY(!w->accessibleName().isEmpty());
        // After the corner button, the column headers: the third is 共通仮設費.
        QAccessibleInterface* header = QAccessible::queryAccessibleInterface(form->Grid1)->child(3);
        QCOMPARE(header->role(), QAccessible::ColumnHeader);
        QCOMPARE(header->text(QAccessible::Name), u"共通仮設費"_s);
    }

    // Each row as the window it comes from shows it: figures, or its error box's message.
    void rowsAsTheWindowsShow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("work");            // rb1..rb3
        QTest::addColumn<QString>("extraInNet");  // empty: unchecked
        QTest::addColumn<QString>("extraNoOverhead");
        QTest::addColumn<bool>("noCommonTemp");
        QTest::addColumn<QString>("rates");  // typed rates, or automatic
        QTest::addColumn<QStringList>("amounts");
        const QString reverse = u"Form1"_s, forward = u"Form3"_s;
        QTest::newRow("reverse") << reverse << 1 << ""
                                 << "" << false << ""
                                 << QStringList{"0", "100", "1234.5", "abc", "99999", "1e300"};
        QTest::newRow("reverse, options") << reverse << 2 << "12.5"
                                          << "3" << true << "" << QStringList{"500", "x1", "25000"};
        QTest::newRow("reverse, 改修") << reverse << 3 << ""
                                       << "0.5" << false << "" << QStringList{"105", "8000"};
        QTest::newRow("forward") << forward << 1 << ""
                                 << "" << false << "" << QStringList{"0", "100", "abc", "55555.5"};
        QTest::newRow("forward, options") << forward << 3 << "10"
                                          << "5" << true << "" << QStringList{"300", "4000"};
        QTest::newRow("forward, typed rates")
            << forward << 2 << ""
            << "" << false << "10/20/10" << QStringList{"100", "2500"};
    }
    void rowsAsTheWindowsShow() {
        QFETCH(QString, window);
        QFETCH(int, work);
        QFETCH(QString, extraInNet);
        QFETCH(QString, extraNoOverhead);
        QFETCH(bool, noCommonTemp);
        QFETCH(QString, rates);
        QFETCH(QStringList, amounts);
        TForm1 main;
        TForm3 calculator;
        QWidget* w = window == u"Form1"_s ? static_cast<QWidget*>(&main) : &calculator;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const auto set = [w](const char* name, const QString& text) {
            w->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
        };
        const auto check = [w](const char* name, bool on) {
            w->findChild<QAbstractButton*>(QString::fromLatin1(name))->setChecked(on);
        };
        check(qPrintable(u"rb%1"_s.arg(work)), true);
        check("CheckBox1", !extraInNet.isEmpty());
        set("Edit2", extraInNet);
        check("CheckBox2", !extraNoOverhead.isEmpty());
        set("Edit3", extraNoOverhead);
        check("CheckBox3", noCommonTemp);
        // Typed rates come in a caption row, as a copy of the calculator's table would.
        const QStringList typed = rates.split(u'/', Qt::SkipEmptyParts);
        QString pasted = typed.isEmpty()
                             ? QString()
                             : u"希望直接工事費\t共通仮設費率\t現場管理費率\t一般管理費率\n"_s;
        if (!typed.isEmpty()) {
            calculator.RadioButton2->setChecked(true);
            set("Edit6", typed[0]);
            set("Edit5", typed[1]);
            set("Edit4", typed[2]);
        }
        for (const QString& a : amounts)
            pasted += a + (typed.isEmpty() ? u""_s : u"\t"_s + typed.join(u'\t')) + u'\n';
        ErrorBoxes boxes;
        QList<QStringList> shown;  // figures and 結果 of each row
        for (const QString& amount : amounts) {
            const int before = boxes.count;
            set("Edit1", amount);
            w->findChild<QPushButton*>(u"Button1"_s)->click();
            shown << (boxes.count > before ? QStringList(13, {}) << boxes.text
                                           : Shown(w) << QString());
        }
        // Pasted under the window's first settings, then computed again under the opener's.
        Paste(*form, pasted);
        QCOMPARE(form->Model->rowCount(), amounts.size());
        form->TakeSettingsFrom(dynamic_cast<zanvoro::CalculatorWindow*>(w)->Form().BatchSettings());
        for (int row = 0; row < amounts.size(); ++row)
            QTRY_COMPARE(Cells(*form, row, 1, 14), shown[row]);
    }

    // Cancelled from the event loop while computing: the rows done keep their figures, the others
    // their inputs, and every row is still there and goes out again.
    void cancelKeepsComputedRows() {
        constexpr int kRows = 200'000;
        form->PasteText(u"1000\n"_s.repeated(kRows));
        QVERIFY(form->Computing());
        QVERIFY(form->ProgressBar1->isVisibleTo(form.get()));
        QTimer::singleShot(0, form->Button5, &QPushButton::click);
        QTRY_VERIFY(!form->Computing());
        const int done = int(form->Model->computed());
        QVERIFY2(done > 0 && done < kRows, qPrintable(QString::number(done)));
        QCOMPARE(form->Model->rowCount(), kRows);
        QVERIFY(!Cells(*form, done - 1, 12, 1)[0].isEmpty());
        QCOMPARE(Cells(*form, done - 1, 14, 1), QStringList{QString()});
        QCOMPARE(Cells(*form, done, 0, 1), QStringList{u"1000"_s});
        QCOMPARE(Cells(*form, done, 13, 2), (QStringList{{}, u"取消"_s}));
        const QStringList lines = CopyAll(*form).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), kRows + 1);
        QVERIFY(lines.last().endsWith(u"\t取消"_s));
    }

    // Copied and pasted back, a table reads as itself; a selection copies its rectangle.
    void copyRoundTrips() {
        Paste(*form, u"希望工事費 (税込)\t工事種類\n100\t新営\n2500\t改修\nabc\t道路維持\n"_s);
        const QString all = CopyAll(*form);
        TForm4 again;
        Paste(again, all);
        QCOMPARE(CopyAll(again), all);

        const QAbstractItemModel* m = form->Model;
        form->Grid1->selectionModel()->select(QItemSelection(m->index(0, 2), m->index(1, 3)),
                                              QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(form->Grid1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), u"直接工事費\t共通仮設費\n"_s + Cells(*form, 0, 2, 2).join(u'\t') +
                                  u'\n' + Cells(*form, 1, 2, 2).join(u'\t') + u'\n');
    }

    // Through the file dialogs: each file read or written whole, or an error box and nothing
    // changed.
    void files_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");      // as typed into the dialog
        QTest::addColumn<QByteArray>("bytes");  // of the file opened
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("file");  // what appears in the folder; empty: an error
        const auto cp932 = [](const char* utf8) {
            return QByteArray::fromStdString(
                costbatch::EncodeText(utf8, costbatch::Encoding::Cp932));
        };
        const QString csv = u"CSV (UTF-8) (*.csv)"_s, sjis = u"CSV (Shift-JIS) (*.csv)"_s,
                      tsv = u"TSV (UTF-8) (*.tsv *.txt)"_s;
        const char* table = "希望工事費 (税込),工事種類\r\n300,新営\r\n";
        QTest::newRow("open CP932 CSV") << false << "in.csv" << cp932(table) << ""
                                        << "in.csv";
        QTest::newRow("open TSV with BOM")
            << false << "in.tsv"
            << QByteArray("\xEF\xBB\xBF希望工事費 (税込)\t工事種類\n300\t新営\n") << ""
            << "in.tsv";
        // As a spreadsheet saves "Unicode text": UTF-16LE with its BOM, tab-separated.
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringConverter::Flag::WriteBom);
        const QByteArray unicodeText = utf16(u"希望工事費 (税込)\t工事種類\n300\t新営\n"_s);
        QTest::newRow("open UTF-16LE text") << false << "in.txt" << unicodeText << "" << "in.txt";
        QTest::newRow("open unclosed quote")
            << false << "bad.csv" << QByteArray("希望工事費 (税込)\n\"300\n") << ""
            << "";
        QTest::newRow("open neither UTF-8 nor CP932")
            << false << "bin.csv" << QByteArray("\xFF\xFF\n") << ""
            << "";
        QTest::newRow("save CSV") << true << "out" << QByteArray() << csv << "out.csv";
        QTest::newRow("save Shift-JIS") << true << "sjis.csv" << QByteArray() << sjis << "sjis.csv";
        QTest::newRow("save TSV") << true << "out" << QByteArray() << tsv << "out.tsv";
        QTest::newRow("save unwritable") << true << "missing/out.csv" << QByteArray() << csv << "";
    }
    void files() {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, filter);
        QFETCH(QString, file);
        const QString csv = u"CSV (UTF-8) (*.csv)"_s, sjis = u"CSV (Shift-JIS) (*.csv)"_s,
                      tsv = u"TSV (UTF-8) (*.tsv *.txt)"_s;
        QTemporaryDir dir;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Paste(*form, save ? u"希望工事費 (税込)\t工事種類\n300\t新営\n"_s : u"100\n200\n"_s);
        const QString before = CopyAll(*form);
        if (!save && !bytes.isEmpty()) {
            QFile in(dir.filePath(name));
            QVERIFY(in.open(QIODevice::WriteOnly) && in.write(bytes) == bytes.size());
        }
        const QStringList present = QDir(dir.path()).entryList(QDir::Files);
        ErrorBoxes boxes;
        AnswerFileDialog(dir.filePath(name), filter);
        (save ? form->Button3 : form->Button2)->click();
        QTRY_VERIFY(!form->Computing());

        QCOMPARE(boxes.count, file.isEmpty() ? 1 : 0);
        if (file.isEmpty()) {
            QVERIFY2(boxes.text.contains(QFileInfo(name).fileName()), qPrintable(boxes.text));
            QCOMPARE(CopyAll(*form), before);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), present);
        } else if (save) {
            // The table as copied, in the file's format and encoding.
            QString text = before;
            if (filter != tsv) text.replace(u'\t', u',').replace(u"\n"_s, u"\r\n"_s);
            const auto encoding = filter == sjis  ? costbatch::Encoding::Cp932
                                  : filter == tsv ? costbatch::Encoding::Utf8
                                                  : costbatch::Encoding::Utf8Bom;
            QFile out(dir.filePath(file));
            QVERIFY(out.open(QIODevice::ReadOnly));
            QCOMPARE(out.readAll(), QByteArray::fromStdString(
                                        costbatch::EncodeText(text.toStdString(), encoding)));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{file});
        } else {
            QCOMPARE(Cells(*form, 0, 0, 2), (QStringList{u"300"_s, u"新営"_s}));
            QVERIFY(!Cells(*form, 0, 2, 1)[0].isEmpty());
        }
    }

    // A pasted caption with a NUL byte: the error box shows the whole message, and no more.
    void errorMessageKeepsNul() {
        ErrorBoxes boxes;
        Paste(*form, QString::fromUtf8("希望工事費 (税込)\t見出\0し\n1000\n", 41));
        QCOMPARE(boxes.count, 1);
        QCOMPARE(boxes.text, QString::fromUtf8("不明な見出し '見出\0し' (2 列目)", 42));
    }

    // A character Shift-JIS lacks refuses the save, naming it and its place: no file appears.
    void saveRefusesWhatShiftJisLacks() {
        QTemporaryDir dir;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Paste(*form, u"100\t€5\n"_s);
        ErrorBoxes boxes;
        AnswerFileDialog(dir.filePath(u"sjis.csv"_s), u"CSV (Shift-JIS) (*.csv)"_s);
        form->Button3->click();
        QTRY_VERIFY(!form->Computing());
        QCOMPARE(boxes.count, 1);
        QVERIFY2(boxes.text.contains(u"sjis.csv"_s) &&
                     boxes.text.contains(u"'€' は Shift-JIS で書けません (2 行目 2 列目)"_s),
                 qPrintable(boxes.text));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    // Opened from the calculator window: its direction and settings.
    void opensWithTheOpenersSettings() {
        TForm3 calculator;
        calculator.rb3->setChecked(true);
        calculator.CheckBox3->setChecked(true);
        OpenBatchWindow(&calculator, calculator.Form().BatchSettings());
        TForm4* opened = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == u"Form4"_s && top != form.get())
                opened = qobject_cast<TForm4*>(top);
        QVERIFY(opened && opened->isVisible());
        QVERIFY(opened->RadioButton2->isChecked() && opened->rb3->isChecked() &&
                opened->CheckBox3->isChecked());
    }
};

QTEST_MAIN(Unit4Test)
#include "Unit4Test.moc"
