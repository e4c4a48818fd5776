// Qt Test tests of the main window and the About dialog, driven by keys and clicks.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include "Accessible.h"
#include "ErrorBoxes.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "CalculatorWindow.h"
#include "LayoutRows.h"
#include "Modal.h"
#include "model/calculations.h"

using zanvoro::kBlack;
using zanvoro::kBlue;
using zanvoro::kRed;
using zanvoro::kTeal;
using namespace Qt::Literals::StringLiterals;

namespace {

QWidget* Focus() { return QApplication::focusWidget(); }

void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Focus(), Qt::Key(key), mods);
}

QStringList Results(const TForm1& f) {
    QStringList out;
    for (QLabel* box : {f.SText4, f.SText1, f.SText5, f.SText10, f.SText2, f.SText11, f.SText9,
                        f.SText3, f.SText8, f.SText6, f.SText7, f.SText12, f.SText13})
        out << box->text();
    return out;
}

}  // namespace

class Unit1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form;
    int beeps = 0;
    QFont applicationFont;
    const QFont tipFont{u"Serif"_s, 20};

    // Puts `text` into Edit1 the way a user does: Tab from 計算 selects it, typing replaces it.
    void typeTarget(const QString& text) {
        form->Button1->setFocus();
        Press(Qt::Key_Tab);
        QCOMPARE(Focus(), form->Edit1);
        QTest::keyClicks(form->Edit1, text);
        QCOMPARE(form->Edit1->text(), text);
    }

private slots:
    void initTestCase() {
        // A font of one kind of widget, as a theme gives its menus and tooltips one.
        QApplication::setFont(tipFont, "QTipLabel");
        applicationFont = QApplication::font();
    }
    void init() {
        beeps = 0;
        zanvoro::SetBeepHandler([this] { ++beeps; });
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        zanvoro::SetBeepHandler({});
    }

    void layout_data() {
        AddLayoutColumns();
        AddLayoutRows(layout::SharedRows());
        AddLayoutRows(layout::MainRows());
    }
    void layout() { CheckLayoutRow(form.get()); }

    void window() {
        QCOMPARE(form->windowTitle(), u"Zanvoro!Pro"_s);
        QCOMPARE(form->pos(), QPoint(279, 139));
        QCOMPARE(form->ClientArea->size(), QSize(508, 462));
        QCOMPARE(form->ClientArea->y(), form->MainMenu1->geometry().bottom() + 1);
        QCOMPARE(form->height(), form->MainMenu1->height() + 462);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form->palette().color(QPalette::Window), zanvoro::Light3D());
        QVERIFY(!form->windowIcon().isNull());
        QVERIFY(!form->BitBtn1->icon().isNull());
        QCOMPARE(form->BitBtn1->iconSize(), QSize(18, 18));
        const QIcon door = form->BitBtn1->icon();
        QVERIFY(door.pixmap(18, QIcon::Disabled).toImage() != door.pixmap(18).toImage());
        QVERIFY(form->rb1->isChecked() && !form->rb2->isChecked() && !form->rb3->isChecked());
        QVERIFY(!form->CheckBox1->isChecked() && !form->Edit2->isEnabled());
        QVERIFY(!form->CheckBox2->isChecked() && !form->Edit3->isEnabled());

        const QList<QAction*> top = form->MainMenu1->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->menu(), form->N1);
        QCOMPARE(top[1]->menu(), form->N2);
        QCOMPARE(form->N1->title(), u"ファイル"_s);
        QCOMPARE(form->N2->title(), u"ヘルプ"_s);
        QCOMPARE(form->N1->actions(), (QList<QAction*>{form->N3, form->N4, form->Exit1}));
        QCOMPARE(form->N2->actions(), QList<QAction*>{form->N5});
        QCOMPARE(form->N3->text(), u"Pelmaroを呼ぶ"_s);
        QVERIFY(form->N4->isSeparator());
        QCOMPARE(form->Exit1->text(), u"終了"_s);
        QCOMPARE(form->N5->text(), u"バージョン情報"_s);
        for (QAction* a : {form->N3, form->Exit1, form->N5}) QVERIFY(a->shortcut().isEmpty());

        // Read aloud: the window by its title, an edit by its caption, buttons as spoken.
        for (auto [w, name] : {std::pair<QWidget*, const char*>{form.get(), "Zanvoro!Pro"},
                               {form->Edit1, "希望工事費 (税込)"}, {form->BitBtn1, "終了"},
                               {form->Button1, "計算"}})
            QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), QString::fromUtf8(name));
    }

    // Building the window leaves the application's fonts, which Qt's own dialogs, menus and
    // tooltips use, as they were.
    void applicationFontKept() {
        QCOMPARE(QApplication::font(), applicationFont);
        QCOMPARE(QApplication::font("QTipLabel"), tipFont);
    }

    // F10 opens the first menu, Alt alone highlights it; Alt with a letter does neither.
    void menuFromKeyboard_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::newRow("F10") << int(Qt::Key_F10) << 0;
        QTest::newRow("Alt alone") << int(Qt::Key_Alt) << 0;
        QTest::newRow("Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier);
    }
    void menuFromKeyboard() {
        QFETCH(int, key);
        QFETCH(int, mods);
        QSignalSpy chosen(form->N3, &QAction::triggered);
        form->CheckBox1->setFocus(Qt::TabFocusReason);
        Press(key, Qt::KeyboardModifiers(mods));
        if (mods) {
            QCOMPARE(form->MainMenu1->activeAction(), nullptr);
            return;
        }
        // Down opens the highlighted menu on its first item, or in an open one goes there.
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : Focus(), Qt::Key_Down);
        QTRY_COMPARE(QApplication::activePopupWidget(), form->N1);
        QCOMPARE(form->N1->activeAction(), form->N3);
        QTest::keyClick(form->N1, Qt::Key_Return);
        QTRY_COMPARE(chosen.count(), 1);
    }

    void maximizeMovesNothing() {
        const QRect button = form->Button1->geometry();
        const QRect client = form->ClientArea->geometry();
        form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        QCOMPARE(form->Button1->geometry(), button);
        QCOMPARE(form->ClientArea->geometry(), client);
        form->showNormal();
        QTRY_COMPARE(form->size(), QSize(508, form->MainMenu1->height() + 462));
    }

    void search_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("work");
        QTest::addColumn<bool>("noCommonTemp");
        QTest::addColumn<QString>("extraInNet");
        QTest::addColumn<QString>("extraNoOverhead");
        QTest::addColumn<QString>("direct");
        QTest::addColumn<QString>("total");
        // The thirteen boxes in build-up order, checked against a plain step loop by hand.
        QTest::addColumn<QString>("figures");
        QTest::newRow("0") << "0" << "rb1" << false << "" << "" << "10" << "18.5"
            << "10 2.1 21.21 12.1 3.3 27.14 15.4 2.2 14.38 17.6 0.9 18.5 7.6";
        QTest::newRow("5") << "5" << "rb1" << false << "" << "" << "11" << "20.3"
            << "11 2.3 21.21 13.3 3.6 27.14 16.9 2.4 14.38 19.3 1 20.3 8.3";
        QTest::newRow("185.1") << "185.1" << "rb1" << false << "" << "" << "101" << "186.9"
            << "101 21.4 21.21 122.4 33.2 27.14 155.6 22.4 14.38 178 8.9 186.9 77";
        QTest::newRow("1000") << "1000" << "rb1" << false << "" << "" << "545" << "1003.5"
            << "545 115.6 21.21 660.6 179.3 27.14 839.9 115.8 13.79 955.7 47.8 1003.5 410.7";
        QTest::newRow("1000 no temp") << "1000" << "rb1" << true << "" << "" << "660" << "1002.6"
            << "660 0 0 660 179.1 27.14 839.1 115.8 13.8 954.9 47.7 1002.6 294.9";
        QTest::newRow("1000 extras") << "1000" << "rb1" << false << "10" << "20" << "525"
                                     << "1002.2"
            << "525 111.4 21.21 646.4 175.4 27.14 821.8 113.6 13.82 935.4 46.8 1002.2 400.4";
        QTest::newRow("10000 new") << "10000" << "rb2" << false << "" << "" << "7405"
                                   << "10000.5"
            << "7405 274 3.7 7679 1019 13.27 8698 826.3 9.5 9524.3 476.2 10000.5 2119.3";
        QTest::newRow("5000 renovation") << "5000" << "rb3" << false << "" << "" << "3778"
                                         << "5001.8"
            << "3778 102.8 2.72 3880.8 450.9 11.62 4331.7 431.9 9.97 4763.6 238.2 5001.8 985.6";
        QTest::newRow("unchecked extra ignored")
            << "1000" << "rb1" << false << "!10" << "!20" << "545" << "1003.5"
            << "545 115.6 21.21 660.6 179.3 27.14 839.9 115.8 13.79 955.7 47.8 1003.5 410.7";
    }
    void search() {
        QFETCH(QString, target);
        QFETCH(QString, work);
        QFETCH(bool, noCommonTemp);
        QFETCH(QString, extraInNet);
        QFETCH(QString, extraNoOverhead);
        QFETCH(QString, direct);
        QFETCH(QString, total);
        QFETCH(QString, figures);

        QTest::mouseClick(form->findChild<QRadioButton*>(work), Qt::LeftButton);
        if (noCommonTemp) QTest::mouseClick(form->CheckBox3, Qt::LeftButton);
        // "!" marks an extra typed while its box is checked, then unchecked again.
        auto extra = [](QCheckBox* box, QLineEdit* edit, QString text) {
            if (text.isEmpty()) return;
            const bool keep = !text.startsWith(u'!');
            QTest::mouseClick(box, Qt::LeftButton);
            edit->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(edit, text.remove(u'!'));
            if (!keep) QTest::mouseClick(box, Qt::LeftButton);
        };
        extra(form->CheckBox1, form->Edit2, extraInNet);
        extra(form->CheckBox2, form->Edit3, extraNoOverhead);

        typeTarget(target);
        Press(Qt::Key_Return);
        QCOMPARE(form->SText4->text(), direct);
        QCOMPARE(form->SText12->text(), total);
        QCOMPARE(beeps, 1);
        QCOMPARE(form->SearchState().DirectCost, 10.0);
        QCOMPARE(form->SearchState().TotalCost, 0.0);

        // Every box shows its own field of the estimate.
        const QStringList want = figures.split(u' ');
        QCOMPARE(Results(*form), want);

        // The same search again gives the same result.
        Press(Qt::Key_Return);
        QCOMPARE(Results(*form), want);
        QCOMPARE(beeps, 2);
    }

    void badTextShowsErrorAndKeepsResults_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Dismiss>("dismiss");
        const QString tooLong = u"結果が 4096 文字以上あります."_s;
        QTest::newRow("letters") << "Edit1" << "abc" << u"'abc' は浮動小数点数ではありません."_s
                                 << Dismiss::Space;
        QTest::newRow("empty") << "Edit1" << "" << u"'' は浮動小数点数ではありません."_s
                               << Dismiss::Click;
        QTest::newRow("overflow") << "Edit1" << "1E400" << u"浮動小数点数のｵｰﾊﾞｰﾌﾛｰ."_s
                                  << Dismiss::Enter;
        QTest::newRow("beyond the model") << "Edit1" << "1E300" << u"不正な浮動小数点数演算命令."_s
                                          << Dismiss::BeforeActivation;
        QTest::newRow("long") << "Edit1" << QString(40000, u'x') << tooLong << Dismiss::ZeroTimer;
        // Ten million digits pasted by mistake: answered at once.
        QTest::newRow("paste") << "Edit1" << QString(10'000'000, u'7') << tooLong
                               << Dismiss::Enter;
        QTest::newRow("extra") << "Edit2" << "１２" << u"'１２' は浮動小数点数ではありません."_s
                               << Dismiss::BeforeActivation;
        // A pasted NUL must not cut the message short.
        QTest::newRow("nul") << "Edit2" << QString::fromUtf8("1\0x", 3)
                             << QString::fromUtf8("'1\0x' は浮動小数点数ではありません.", 49)
                             << Dismiss::ZeroTimer;
    }
    void badTextShowsErrorAndKeepsResults() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(Dismiss, dismiss);
        typeTarget(u"185.1"_s);
        Press(Qt::Key_Return);
        const QStringList before = Results(*form);

        if (field == u"Edit2"_s) {
            QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
            form->Edit2->setText(text);  // full-width digits and NUL cannot be typed by QTest
        } else {
            form->Button1->setFocus();
            Press(Qt::Key_Tab);
            QTest::keyClick(form->Edit1, Qt::Key_Delete);
            if (text.size() > 100)
                form->Edit1->insert(text);  // no length limit
            else
                QTest::keyClicks(form->Edit1, text);
            QCOMPARE(form->Edit1->text(), text);
        }
        QWidget* const focus = Focus();
        ErrorBoxes seen(dismiss);
        Press(Qt::Key_Return);
        QTRY_COMPARE(seen.count, 1);
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.title, u"Zanvoro!"_s);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.spoken, message);
        QCOMPARE(seen.role, QAccessible::AlertMessage);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QVERIFY(!seen.inAWindowTree);
#ifndef __SANITIZE_ADDRESS__
        QVERIFY2(seen.shownAfterMs < 1000, qPrintable(QString::number(seen.shownAfterMs)));
#endif
        QCOMPARE(Results(*form), before);
        QCOMPARE(beeps, 1);

        // The window and the control that had the focus get it back, and still answer:
        // 計算 with a good text works again.
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(Focus(), focus);
        form->Edit2->setText(u"0"_s);
        typeTarget(u"0"_s);
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QCOMPARE(form->SText4->text(), u"10"_s);
        QCOMPARE(beeps, 2);
    }

    // Error after error, in the calculator shown over the main window and then in the main
    // window, each box dismissed another way: no crash, and each window goes on answering.
    // A stress run of its own (CTest label "stress"); the ordinary run leaves it out.
    void manyErrorsInBothWindows() {
        if (qEnvironmentVariableIsSet("ZANVORO_SKIP_STRESS")) QSKIP("stress run only");
        constexpr Dismiss ways[] = {Dismiss::Click, Dismiss::Enter, Dismiss::Space,
                                    Dismiss::BeforeActivation, Dismiss::ZeroTimer};
        constexpr int kCycles = 200;  // in each window
        ErrorBoxes seen;
        TForm3 calculator;
        form->setCalculatorWindow(&calculator);
        OnNextModal([&](QWidget*) {
            calculator.Edit1->setText(u"abc"_s);
            for (int i = 0; i < kCycles; ++i) {
                seen.setDismiss(ways[i % 5]);
                QTest::keyClick(Focus(), Qt::Key_Return);
                QTRY_COMPARE(seen.count, i + 1);
                QTRY_COMPARE(Focus(), calculator.Edit1);
            }
            calculator.Edit1->setText(u"1000"_s);
            QTest::keyClick(Focus(), Qt::Key_Return);
            QCOMPARE(calculator.SText12->text(), u"1778.4"_s);
            QTest::keyClick(calculator.OKButton, Qt::Key_Space);
        });
        form->N3->trigger();
        QVERIFY(!calculator.isVisible());

        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Edit1->setText(u"abc"_s);
        form->Button1->setFocus();
        for (int i = 0; i < kCycles; ++i) {
            seen.setDismiss(ways[i % 5]);
            Press(Qt::Key_Return);
            QTRY_COMPARE(seen.count, kCycles + i + 1);
            QTRY_COMPARE(Focus(), form->Button1);
        }
        form->Edit1->setText(u"0"_s);
        Press(Qt::Key_Return);
        QCOMPARE(form->SText4->text(), u"10"_s);
    }

    // Right after a box is dismissed, each way of ending the program ends it, and the
    // windows go as the program's end takes them.
    void closeRightAfterAnError_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<Dismiss>("dismiss");
        QTest::newRow("title bar") << "title bar" << Dismiss::Enter;
        QTest::newRow("Exit1") << "Exit1" << Dismiss::BeforeActivation;
        QTest::newRow("BitBtn1 click") << "BitBtn1 click" << Dismiss::Click;
        QTest::newRow("C key") << "C" << Dismiss::ZeroTimer;
        QTest::newRow("Enter on BitBtn1") << "Enter on BitBtn1" << Dismiss::Space;
    }
    void closeRightAfterAnError() {
        QFETCH(QString, way);
        QFETCH(Dismiss, dismiss);
        QSignalSpy closed(form.get(), &TForm1::closed);
        form->Edit1->setText(u"abc"_s);
        form->Button1->setFocus();
        {
            ErrorBoxes seen(dismiss);
            Press(Qt::Key_Return);
            QTRY_COMPARE(seen.count, 1);
        }
        QTRY_COMPARE(Focus(), form->Button1);
        if (way == u"title bar"_s)
            form->close();
        else if (way == u"Exit1"_s)
            form->Exit1->trigger();
        else if (way == u"BitBtn1 click"_s)
            QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        else if (way == u"C"_s)
            Press(Qt::Key_C);
        else {
            form->BitBtn1->setFocus(Qt::TabFocusReason);
            Press(Qt::Key_Return);
        }
        QTRY_COMPARE(closed.count(), 1);
        form.reset();
        QTest::qWait(50);  // whatever the window system still sends finds no window
        // Nothing is left on screen: no error box, no window, nothing modal.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        for (const QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void clear() {
        QTest::mouseClick(form->rb3, Qt::LeftButton);
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QTest::mouseClick(form->CheckBox3, Qt::LeftButton);
        form->Edit2->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->Edit2, u"5"_s);
        form->Edit3->setText(u"7"_s);
        typeTarget(u"300"_s);
        Press(Qt::Key_Return);
        QVERIFY(form->SText12->text() != u"0"_s);

        form->Button2->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Return);  // Enter on クリア clears instead of searching
        QCOMPARE(beeps, 1);
        QCOMPARE(form->Edit1->text(), u"0"_s);
        QCOMPARE(Results(*form), QStringList(13, u"0"_s));
        for (QLineEdit* e : {form->Edit2, form->Edit3}) {
            QCOMPARE(e->text(), u"0"_s);
            QVERIFY(!e->isEnabled());
        }
        for (QCheckBox* b : {form->CheckBox1, form->CheckBox2, form->CheckBox3})
            QVERIFY(!b->isChecked());
        QVERIFY(form->rb3->isChecked());
        QCOMPARE(form->SearchState().DirectCost, 10.0);
    }

    void checkBoxesSwitchTheirEdits() {
        struct Pair {
            QCheckBox* box;
            QLineEdit* edit;
        };
        for (Pair p : {Pair{form->CheckBox1, form->Edit2}, Pair{form->CheckBox2, form->Edit3}}) {
            p.edit->setText(u"12"_s);
            QTest::mouseClick(p.box, Qt::LeftButton);
            QVERIFY(p.box->isChecked() && p.edit->isEnabled());
            p.box->setFocus();
            Press(Qt::Key_Space);
            QVERIFY(!p.box->isChecked() && !p.edit->isEnabled());
            Press(Qt::Key_Space);
            QVERIFY(p.box->isChecked() && p.edit->isEnabled());
            QCOMPARE(p.edit->text(), u"12"_s);
        }
        QTest::mouseClick(form->Button2, Qt::LeftButton);
        QVERIFY(!form->Edit2->isEnabled() && !form->Edit3->isEnabled());
    }

    void firstFocusAndEnter() {
        QCOMPARE(Focus(), form->Button1);
        QVERIFY(form->Button1->isDefault());
        Press(Qt::Key_Return);
        QCOMPARE(form->SText4->text(), u"10"_s);
        QCOMPARE(form->SText12->text(), u"18.5"_s);

        // Enter from a check box or a radio button presses 計算 and toggles nothing.
        form->Edit1->setText(u"5"_s);
        form->CheckBox3->setFocus();
        Press(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!form->CheckBox3->isChecked());
        QCOMPARE(form->SText4->text(), u"11"_s);
        QVERIFY(form->Button1->isDefault());

        // A focused push button is the one Enter presses, and is drawn as the default.
        form->Button2->setFocus();
        QVERIFY(form->Button2->isDefault() && !form->Button1->isDefault());
        form->Edit1->setFocus();
        QVERIFY(form->Button1->isDefault() && !form->Button2->isDefault());
    }

    void escapeDoesNothing() {
        QSignalSpy closed(form.get(), &TForm1::closed);
        for (QWidget* w : {static_cast<QWidget*>(form->Button1), static_cast<QWidget*>(form->Edit1),
                           static_cast<QWidget*>(form->CheckBox1)}) {
            w->setFocus();
            Press(Qt::Key_Escape);
            QCOMPARE(Focus(), w);
        }
        QVERIFY(form->isVisible());
        QCOMPARE(closed.count(), 0);
        QCOMPARE(beeps, 0);
    }

    void tabOrder_data() {
        QTest::addColumn<bool>("extras");
        QTest::addColumn<QString>("work");
        QTest::addColumn<QStringList>("order");
        const QStringList head = {"Button1", "Edit1"};
        const QStringList tail = {"BitBtn1", "Button2", "CheckBox1", "CheckBox2", "CheckBox3"};
        QTest::newRow("start") << false << "rb1" << head + QStringList{"rb1"} + tail;
        QTest::newRow("rb2 extras") << true << "rb2"
                                    << head + QStringList{"rb2"} + tail +
                                           QStringList{"Edit2", "Edit3"};
    }
    void tabOrder() {
        QFETCH(bool, extras);
        QFETCH(QString, work);
        QFETCH(QStringList, order);
        form->findChild<QRadioButton*>(work)->setChecked(true);
        if (extras) {
            form->CheckBox1->setChecked(true);
            form->CheckBox2->setChecked(true);
        }
        form->Button1->setFocus();
        QStringList forward;
        for (int i = 0; i < order.size(); ++i) {
            forward << Focus()->objectName();
            Press(Qt::Key_Tab);
        }
        QCOMPARE(forward, order);
        QCOMPARE(Focus(), form->Button1);
        QStringList backward;
        for (int i = 0; i < order.size(); ++i) {
            Press(Qt::Key_Tab, Qt::ShiftModifier);
            backward.prepend(Focus()->objectName());
        }
        QCOMPARE(backward, order);
    }

    void tabSelectsClickDoesNot() {
        form->Edit1->setText(u"1234"_s);
        form->Button1->setFocus();
        Press(Qt::Key_Tab);
        QCOMPARE(form->Edit1->selectedText(), u"1234"_s);
        form->Button1->setFocus();
        QTest::mouseClick(form->Edit1, Qt::LeftButton, {}, QPoint(60, 13));
        QCOMPARE(Focus(), form->Edit1);
        QVERIFY(form->Edit1->selectedText().isEmpty());
    }

    void arrows_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Button1 right") << "Button1" << int(Qt::Key_Right) << "Edit1";
        QTest::newRow("Button1 left wraps") << "Button1" << int(Qt::Key_Left) << "Button2";
        QTest::newRow("Button2 down wraps") << "Button2" << int(Qt::Key_Down) << "Button1";
        QTest::newRow("rb3 down to BitBtn1") << "rb3" << int(Qt::Key_Down) << "BitBtn1";
        QTest::newRow("rb1 right") << "rb1" << int(Qt::Key_Right) << "rb2";
        QTest::newRow("rb2 up") << "rb2" << int(Qt::Key_Up) << "rb1";
        QTest::newRow("frame wraps") << "CheckBox3" << int(Qt::Key_Down) << "CheckBox1";
        QTest::newRow("frame back wraps") << "CheckBox1" << int(Qt::Key_Up) << "CheckBox3";
    }
    void arrows() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        form->findChild<QWidget*>(from)->setFocus(Qt::TabFocusReason);
        Press(key);
        QCOMPARE(Focus()->objectName(), to);
        if (auto* radio = qobject_cast<QRadioButton*>(Focus())) QVERIFY(radio->isChecked());
    }

    void arrowsInEditMoveCaret() {
        form->Edit1->setText(u"123"_s);
        form->Edit1->setFocus(Qt::MouseFocusReason);
        form->Edit1->setCursorPosition(1);
        for (int key : {Qt::Key_Right, Qt::Key_Down}) Press(key);
        QCOMPARE(form->Edit1->cursorPosition(), 3);
        for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}) Press(key);
        QCOMPARE(form->Edit1->cursorPosition(), 0);
        QCOMPARE(Focus(), form->Edit1);
    }

    void closeKeys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<bool>("closes");
        QTest::newRow("C on Button1") << "Button1" << int(Qt::Key_C) << 0 << true;
        QTest::newRow("C on check box") << "CheckBox2" << int(Qt::Key_C) << 0 << true;
        QTest::newRow("C in Edit1 types") << "Edit1" << int(Qt::Key_C) << 0 << false;
        QTest::newRow("Alt+C in Edit1") << "Edit1" << int(Qt::Key_C) << int(Qt::AltModifier)
                                        << true;
        QTest::newRow("Enter on BitBtn1") << "BitBtn1" << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("X does nothing") << "Button1" << int(Qt::Key_X) << 0 << false;
    }
    void closeKeys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(bool, closes);
        QSignalSpy closed(form.get(), &TForm1::closed);
        form->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        Press(key, Qt::KeyboardModifiers(mods));
        if (closes) {
            QTRY_COMPARE(closed.count(), 1);
            QVERIFY(!form->isVisible());
        } else {
            QTest::qWait(200);
            QCOMPARE(closed.count(), 0);
            QVERIFY(form->isVisible());
        }
        if (focus == u"Edit1"_s && !closes) QCOMPARE(form->Edit1->text(), u"c"_s);
    }

    void exitItemCloses() {
        QSignalSpy closed(form.get(), &TForm1::closed);
        form->Exit1->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form->isVisible());
    }

    void calculatorShownModally() {
        QDialog calculator;
        calculator.resize(200, 100);
        form->N3->trigger();  // no calculator yet: nothing happens
        form->setCalculatorWindow(&calculator);
        int beepsWhileOpen = -1;
        OnNextModal([&](QWidget* modal) {
            QCOMPARE(modal, &calculator);
            // The main window takes no input meanwhile.
            const QPoint centre = form->Button1->mapTo(form.get(), form->Button1->rect().center());
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, centre);
            beepsWhileOpen = beeps;
            calculator.close();
        });
        form->N3->trigger();
        QCOMPARE(beepsWhileOpen, 0);
        QVERIFY(!calculator.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          form->Button1->mapTo(form.get(), form->Button1->rect().center()));
        QCOMPARE(beeps, 1);  // the same click counts once the calculator is closed

        OnNextModal([&](QWidget*) { calculator.accept(); });
        QCOMPARE(zanvoro::ShowModal(&calculator), zanvoro::ModalResult::Ok);
        OnNextModal([&](QWidget*) { calculator.close(); });
        QCOMPARE(zanvoro::ShowModal(&calculator), zanvoro::ModalResult::Cancel);
    }

    void aboutBox() {
        TAboutBox about;
        QCOMPARE(about.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_s);
        QCOMPARE(about.size(), QSize(298, 213));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint |
                                          Qt::WindowMaximizeButtonHint)));
        QCOMPARE(about.palette().color(QPalette::Window), zanvoro::ButtonFace());
        // The contact lines wrap: their size is checked below.
        for (const layout::Row& r : layout::AboutRows()) {
            auto* w = about.findChild<QWidget*>(QString::fromLatin1(r.name));
            QVERIFY(w);
            QCOMPARE(w->property("text").toString(), QString::fromUtf8(r.text));
            QCOMPARE(w->font().pixelSize(), r.pixels);
            QCOMPARE(w->font().bold(), std::string_view(r.style).find('b') != std::string_view::npos);
            auto* label = qobject_cast<QLabel*>(w);
            if (label && label->wordWrap()) continue;
            QRect expected(r.left, r.top, r.width, r.height);
            // Labels grow to their texts ("Version H15.5" needs 80 px in this font).
            if (label && !label->text().isEmpty())
                expected.setSize(expected.size().expandedTo(
                    {label->fontMetrics().horizontalAdvance(label->text()),
                     label->fontMetrics().height()}));
            QCOMPARE(w->geometry(), expected);
            QCOMPARE(w->focusPolicy() == Qt::NoFocus, w != about.OKButton);
            if (w != about.Panel1) VerifyAccessible(w);
        }
        QCOMPARE(about.Label1->font().pixelSize(), 19);
        QVERIFY(about.Label1->font().bold());
        QCOMPARE(about.Label1->palette().color(QPalette::WindowText), kRed);
        QCOMPARE(about.ProductName->font().pixelSize(), 12);
        QCOMPARE(about.ProgramIcon->pixmap().size(), QSize(32, 32));
        for (QLabel* contact : {about.Label3, about.Label2}) {
            QVERIFY(contact->wordWrap());
            QCOMPARE(contact->width(), contact == about.Label3 ? 113 : 116);
            QVERIFY(contact->height() >= contact->heightForWidth(contact->width()));
        }
        QVERIFY(about.Label3->geometry().bottom() < about.Label2->y());
        QVERIFY(about.OKButton->isDefault());

        // Opened from the menu: centred first; Escape does nothing; Enter on OK closes.
        form->setAboutBox(&about);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // Centred by its outer size, frame included.
        const QSize frame = form->frameGeometry().size() - form->geometry().size();
        const QPoint centre((screen.width() - 298 - frame.width()) / 2,
                            (screen.height() - 213 - frame.height()) / 2);
        QPoint firstPos;
        OnNextModal([&](QWidget* modal) {
            QCOMPARE(modal, &about);
            firstPos = about.pos();
            QCOMPARE(Focus(), about.OKButton);
            Press(Qt::Key_Escape);
            QVERIFY(about.isVisible());
            about.move(40, 30);
            Press(Qt::Key_Return);
        });
        form->N5->trigger();
        QCOMPARE(firstPos, centre);
        QVERIFY(!about.isVisible());

        // Reopened where it was left; closing by the title bar also works.
        QPoint secondPos;
        OnNextModal([&](QWidget*) {
            secondPos = about.pos();
            about.close();
        });
        QCOMPARE(zanvoro::ShowModal(&about), zanvoro::ModalResult::Cancel);
        QCOMPARE(secondPos, QPoint(40, 30));
        OnNextModal([&](QWidget*) { QTest::keyClick(about.OKButton, Qt::Key_Space); });
        QCOMPARE(zanvoro::ShowModal(&about), zanvoro::ModalResult::Ok);
    }
};

QTEST_MAIN(Unit1Test)
#include "Unit1Test.moc"
