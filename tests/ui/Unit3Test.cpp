// Qt Test tests of the calculator window, driven through its real controls.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "Accessible.h"
#include "ErrorBoxes.h"
#include "Unit3.h"
#include "CalculatorWindow.h"
#include "LayoutRows.h"
#include "Modal.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Types over the whole text, as after a Tab into the field.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Whether the button asks its style for the default-button frame when it draws itself.
bool DrawnDefault(QPushButton* button) {
    struct Spy final : QProxyStyle {
        mutable bool framed = false;
        void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                         const QWidget* widget) const override {
            if (auto* b = qstyleoption_cast<const QStyleOptionButton*>(option);
                b && element == CE_PushButton)
                framed = b->features & QStyleOptionButton::DefaultButton;
            QProxyStyle::drawControl(element, option, painter, widget);
        }
    } spy;
    button->setStyle(&spy);
    button->grab();
    button->setStyle(nullptr);
    return spy.framed;
}

// The manual-mode example's inputs: rates 10 / 20 / 10 % on a direct cost of 100.
void EnterManualExample(TForm3& w, const QString& siteRate = u"20"_s) {
    Click(w.RadioButton2);
    Type(w.Edit6, u"10"_s);
    Type(w.Edit5, siteRate);
    Type(w.Edit4, u"10"_s);
    Type(w.Edit1, u"100"_s);
}

QStringList Texts(const TForm3& w) {
    QStringList out;
    for (QObject* field :
         {(QObject*)w.SText4, (QObject*)w.SText1, (QObject*)w.Edit6, (QObject*)w.SText10,
          (QObject*)w.SText2, (QObject*)w.Edit5, (QObject*)w.SText9, (QObject*)w.SText3,
          (QObject*)w.Edit4, (QObject*)w.SText6, (QObject*)w.SText7, (QObject*)w.SText12,
          (QObject*)w.SText13})
        out << field->property("text").toString();
    return out;
}

}  // namespace

class Unit3Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm3> form;

    void ShowActive() {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

private slots:
    void init() { form = std::make_unique<TForm3>(); }
    void cleanup() { form.reset(); }

    void window() {
        QCOMPARE(form->windowTitle(), u"Pelmaro!"_s);
        QCOMPARE(form->size(), QSize(508, 458));
        QCOMPARE(form->pos(), QPoint(508, 213));
        QCOMPARE(form->font().pixelSize(), 12);
        QCOMPARE(form->palette().color(QPalette::Window), zanvoro::ButtonFace());
        QVERIFY(form->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);
    }

    void layout_data() {
        AddLayoutColumns();
        AddLayoutRows(layout::SharedRows());
        AddLayoutRows(layout::CalculatorRows());
    }

    void layout() { CheckLayoutRow(form.get()); }

    void initialState() {
        QVERIFY(form->rb1->isChecked());
        QVERIFY(form->RadioButton1->isChecked());
        for (QCheckBox* b : {form->CheckBox1, form->CheckBox2, form->CheckBox3})
            QVERIFY(!b->isChecked());
        QVERIFY(!form->Edit2->isEnabled());
        QVERIFY(!form->Edit3->isEnabled());
        QCOMPARE(Texts(*form), QStringList(13, "0"));
        QVERIFY(form->Breakdown() == costmodel::CostBreakdown{});
        for (QLabel* box : {form->SText1, form->SText12, form->SText4}) {
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
            QVERIFY(box->alignment() & Qt::AlignRight);
        }
    }

    void automaticExample() {
        ShowActive();
        Type(form->Edit1, "1000");
        Click(form->Button1);
        QCOMPARE(form->Edit6->text(), u"18.52"_s);
        QCOMPARE(form->Edit5->text(), u"26.3"_s);
        QCOMPARE(form->Edit4->text(), u"13.15"_s);
        QCOMPARE(form->SText12->text(), u"1778.4"_s);
        QCOMPARE(form->SText4->text(), u"1000"_s);

        // Rates typed in automatic mode give way to the computed ones; switching to manual
        // mode then starts from them.
        const QStringList automatic = Texts(*form);
        Type(form->Edit5, "99");
        Click(form->Button1);
        QCOMPARE(Texts(*form), automatic);
        Click(form->RadioButton2);
        Click(form->Button1);
        QCOMPARE(Texts(*form), automatic);
    }

    // Manual rates are used as typed, whatever CheckBox3 says.
    void manualExample_data() {
        QTest::addColumn<bool>("noCommonTemp");
        QTest::newRow("CheckBox3 off") << false;
        QTest::newRow("CheckBox3 on") << true;
    }
    void manualExample() {
        QFETCH(bool, noCommonTemp);
        ShowActive();
        if (noCommonTemp) Click(form->CheckBox3);
        QCOMPARE(form->CheckBox3->isChecked(), noCommonTemp);
        EnterManualExample(*form, u"20.00"_s);
        Click(form->Button1);
        QCOMPARE(Texts(*form), QStringList({"100", "10", "10", "110", "22", "20", "132", "13.2",
                                            "10", "145.2", "7.3", "152.5", "45.2"}));
    }

    void extraAmountsFollowTheirBoxes() {
        ShowActive();
        Type(form->Edit1, "100");
        Click(form->CheckBox1);
        QVERIFY(form->Edit2->isEnabled());
        Type(form->Edit2, "50");
        Click(form->Button1);
        QCOMPARE(form->Breakdown().ExtraInNet, 50.0);
        const QString withExtra = form->SText12->text();
        Click(form->CheckBox1);
        QVERIFY(!form->Edit2->isEnabled());
        QCOMPARE(form->Edit2->text(), u"50"_s);
        Click(form->Button1);
        QCOMPARE(form->Breakdown().ExtraInNet, 0.0);
        QVERIFY(form->SText12->text() != withExtra);
    }

    void clearInManualMode() {
        ShowActive();
        EnterManualExample(*form);
        Click(form->CheckBox1);
        Click(form->CheckBox3);
        Type(form->Edit2, "7");
        Click(form->rb3);
        Click(form->Button1);

        Click(form->Button2);
        QCOMPARE(Texts(*form), QStringList(13, "0"));
        QCOMPARE(form->Edit1->text(), u"0"_s);
        QCOMPARE(form->Edit2->text(), u"0"_s);
        QVERIFY(!form->CheckBox1->isChecked() && !form->CheckBox3->isChecked());
        QVERIFY(!form->Edit2->isEnabled());
        QVERIFY(form->RadioButton2->isChecked());
        QVERIFY(form->rb3->isChecked());
        QCOMPARE(form->Breakdown().TotalCost, 0.0);

        Type(form->Edit1, "100");
        Click(form->Button1);
        QCOMPARE(Texts(*form), QStringList({"100", "0", "0", "100", "0", "0", "100", "0", "0",
                                            "100", "5", "105", "0"}));
    }

    void badRateStopsTheClick() {
        ShowActive();
        EnterManualExample(*form);
        Click(form->Button1);
        const QStringList before = Texts(*form);

        Type(form->Edit6, "12.5");
        Type(form->Edit5, "abc");
        Type(form->Edit1, "200");
        ErrorBoxes box(Dismiss::Click);
        Click(form->Button1);
        QTRY_COMPARE(box.count, 1);
        QCOMPARE(box.text, u"'abc' は浮動小数点数ではありません."_s);
        QCOMPARE(box.title, u"Zanvoro!"_s);
        QCOMPARE(box.icon, QMessageBox::Critical);

        // Read up to the bad field, then nothing: no cascade, no refresh.
        QCOMPARE(form->Breakdown().DirectCost, 200.0);
        QCOMPARE(form->Breakdown().CommonTempRate, 12.5);
        QCOMPARE(form->Breakdown().SiteMgmtRate, 20.0);
        QCOMPARE(form->Breakdown().TotalCost, 152.5);
        QCOMPARE(form->Edit5->text(), u"abc"_s);
        QStringList expected = before;
        expected[2] = "12.5";  // Edit6 holds what was typed, not a result
        expected[5] = "abc";
        QCOMPARE(Texts(*form), expected);
        QVERIFY(form->isVisible());

        // Still fully usable.
        Type(form->Edit5, "20");
        Click(form->Button1);
        QCOMPARE(form->SText4->text(), u"200"_s);
    }

    // Every failing click shows its message and leaves the result fields as they were; what
    // it read before the failure stays stored.
    void errorsLeaveTheResults_data() {
        QTest::addColumn<QString>("edit1");
        QTest::addColumn<bool>("extra");
        QTest::addColumn<QString>("edit2");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Dismiss>("dismiss");
        QTest::newRow("direct cost") << "abc" << false << "0"
                                     << "'abc' は浮動小数点数ではありません." << Dismiss::Click;
        QTest::newRow("extra") << "100" << true << "1,5" << "'1,5' は浮動小数点数ではありません."
                               << Dismiss::Enter;
        QTest::newRow("extra read first") << "1 0" << true << "7"
                                          << "'1 0' は浮動小数点数ではありません."
                                          << Dismiss::Space;
        QTest::newRow("beyond double") << "1E400" << false << "0" << "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ."
                                       << Dismiss::BeforeActivation;
        QTest::newRow("beyond the model") << "1e12" << false << "0"
                                          << "不正な浮動小数点数演算命令." << Dismiss::ZeroTimer;
        // Ten million digits pasted by mistake: answered at once.
        QTest::newRow("paste") << QString(10'000'000, u'7') << false << "0"
                               << "結果が 4096 文字以上あります." << Dismiss::Enter;
    }
    void errorsLeaveTheResults() {
        QFETCH(QString, edit1);
        QFETCH(bool, extra);
        QFETCH(QString, edit2);
        QFETCH(QString, message);
        QFETCH(Dismiss, dismiss);
        ShowActive();
        Type(form->Edit1, "1000");
        Click(form->Button1);
        const QStringList before = Texts(*form);

        if (extra) Click(form->CheckBox1);
        Type(form->Edit2, edit2);
        if (edit1.size() > 100) {
            Type(form->Edit1, "");
            form->Edit1->insert(edit1);
        } else {
            Type(form->Edit1, edit1);
        }
        ErrorBoxes box(dismiss);
        QTest::keyClick(form->Edit1, Qt::Key_Return);
        QTRY_COMPARE(box.count, 1);
        QCOMPARE(box.text, message);
        QVERIFY(!box.inAWindowTree);
#ifndef __SANITIZE_ADDRESS__
        QVERIFY2(box.shownAfterMs < 1000, qPrintable(QString::number(box.shownAfterMs)));
#endif
        QCOMPARE(Texts(*form), before);
        QVERIFY(form->isVisible());
        if (edit2 == "7") QCOMPARE(form->Breakdown().ExtraInNet, 7.0);

        // The focus comes back to Edit1, and the window calculates again.
        QTRY_COMPARE(QApplication::focusWidget(), form->Edit1);
        if (edit1.size() > 100) {
            // Drawn without laying the whole text out, or every cursor blink would take seconds.
            QElapsedTimer drawing;
            drawing.start();
            form->Edit1->repaint();
            QVERIFY2(drawing.elapsed() < 200, qPrintable(QString::number(drawing.elapsed())));
        }
        if (extra) Click(form->CheckBox1);
        Type(form->Edit1, "1000");
        QTest::keyClick(form->Edit1, Qt::Key_Return);
        QCOMPARE(Texts(*form), before);
    }

    void keys() {
        ShowActive();
        QCOMPARE(QApplication::focusWidget(), form->Edit1);
        QVERIFY(form->Button1->isDefault() && form->OKButton->isDefault());

        QTest::keyClicks(form->Edit1, "1000");
        QTest::keyClick(form->Edit1, Qt::Key_Return);
        QCOMPARE(form->SText12->text(), u"1778.4"_s);
        QTest::keyClick(form->Edit1, Qt::Key_Escape);
        QVERIFY(form->isVisible());

        // Enter on a focused push button presses that one.
        form->Button2->setFocus(Qt::TabFocusReason);
        QVERIFY(form->Button2->isDefault());
        QVERIFY(!form->Button1->isDefault() && !form->OKButton->isDefault());
        QTest::keyClick(form->Button2, Qt::Key_Return);
        QCOMPARE(form->SText12->text(), u"0"_s);
        QVERIFY(form->isVisible());

        // Enter on a check box still calculates.
        Type(form->Edit1, "1000");
        form->CheckBox3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->CheckBox3, Qt::Key_Enter);
        QCOMPARE(form->SText12->text(), u"1778.4"_s);
    }

    // 計算 and 閉じる are both framed while the focus is off the push buttons, however it came
    // there; a focused push button alone otherwise.
    void defaultFrames_data() {
        QTest::addColumn<QStringList>("focusPath");
        QTest::addColumn<QStringList>("framed");
        const QStringList both{u"Button1"_s, u"OKButton"_s};
        QTest::newRow("Edit1 first") << QStringList{} << both;
        QTest::newRow("Edit1 after Button2") << QStringList{u"Button2"_s, u"Edit1"_s} << both;
        QTest::newRow("CheckBox3 after OKButton")
            << QStringList{u"OKButton"_s, u"CheckBox3"_s} << both;
        QTest::newRow("Button2") << QStringList{u"Button2"_s} << QStringList{u"Button2"_s};
        QTest::newRow("Button1") << QStringList{u"Edit1"_s, u"Button1"_s}
                                 << QStringList{u"Button1"_s};
        QTest::newRow("OKButton") << QStringList{u"OKButton"_s} << QStringList{u"OKButton"_s};
    }

    void defaultFrames() {
        QFETCH(QStringList, focusPath);
        QFETCH(QStringList, framed);
        ShowActive();
        for (const QString& name : focusPath)
            form->findChild<QWidget*>(name)->setFocus(Qt::TabFocusReason);
        for (QPushButton* b : {form->Button1, form->Button2, form->OKButton}) {
            const bool want = framed.contains(b->objectName());
            QCOMPARE(DrawnDefault(b), want);
            QCOMPARE(QAccessible::queryAccessibleInterface(b)->state().defaultButton, want);
        }
    }

    void tabOrder() {
        ShowActive();
        Click(form->CheckBox1);
        Click(form->rb2);
        form->Edit1->setFocus(Qt::TabFocusReason);
        const QList<QWidget*> expected{
            form->rb2,          form->CheckBox1, form->CheckBox2, form->CheckBox3, form->Edit2,
            form->RadioButton1, form->Button2,   form->Button1,   form->OKButton,  form->Edit4,
            form->Edit5,        form->Edit6,     form->Edit1};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QCOMPARE(form->Edit1->selectedText(), form->Edit1->text());
        QTest::keyClick(form->Edit1, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), form->Edit6);
        QVERIFY(form->rb2->isChecked());
    }

    void arrowsWrapWithinTheirParent() {
        ShowActive();
        form->OKButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->OKButton, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), form->Edit4);

        form->RadioButton2->setFocus(Qt::TabFocusReason);
        QVERIFY(form->RadioButton2->isChecked());
        QTest::keyClick(form->RadioButton2, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form->CheckBox1);
        QTest::keyClick(form->CheckBox1, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), form->RadioButton2);
        QTest::keyClick(form->RadioButton2, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), form->RadioButton1);
        QVERIFY(form->RadioButton1->isChecked());
        QVERIFY(form->rb1->isChecked());
    }

    // Closing only hides: contents stay, and the focus comes back where it was.
    void reopen() {
        auto firstResult = zanvoro::ModalResult::Cancel, secondResult = zanvoro::ModalResult::Ok,
             thirdResult = zanvoro::ModalResult::Cancel;
        QWidget* focusAtFirst = nullptr;
        QString selectedAtFirst;
        OnNextModal([&](QWidget*) {
            focusAtFirst = QApplication::focusWidget();
            selectedAtFirst = form->Edit1->selectedText();
            QTest::keyClicks(form->Edit1, "1000");
            QTest::keyClick(form->Edit1, Qt::Key_Return);
            Click(form->CheckBox2);
            Type(form->Edit3, "3");
            Click(form->rb2);
            form->OKButton->setFocus(Qt::TabFocusReason);
            QTest::keyClick(form->OKButton, Qt::Key_Return);
        });
        firstResult = zanvoro::ShowModal(form.get());
        QCOMPARE(firstResult, zanvoro::ModalResult::Ok);
        QCOMPARE(focusAtFirst, form->Edit1);
        QCOMPARE(selectedAtFirst, u"0"_s);
        QVERIFY(!form->isVisible());
        const QStringList results = Texts(*form);
        const costmodel::CostBreakdown values = form->Breakdown();
        QCOMPARE(results[11], u"1778.4"_s);

        QWidget* focusAtSecond = nullptr;
        OnNextModal([&](QWidget*) {
            focusAtSecond = QApplication::focusWidget();
            form->close();  // the title-bar button
        });
        secondResult = zanvoro::ShowModal(form.get());
        QCOMPARE(secondResult, zanvoro::ModalResult::Cancel);
        QCOMPARE(focusAtSecond, form->OKButton);

        QWidget* focusAtThird = nullptr;
        OnNextModal([&](QWidget*) {
            focusAtThird = QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        thirdResult = zanvoro::ShowModal(form.get());
        QCOMPARE(thirdResult, zanvoro::ModalResult::Ok);
        QCOMPARE(focusAtThird, form->OKButton);

        QCOMPARE(Texts(*form), results);
        QVERIFY(form->Breakdown() == values);
        QCOMPARE(form->Edit1->text(), u"1000"_s);
        QCOMPARE(form->Edit3->text(), u"3"_s);
        QVERIFY(form->CheckBox2->isChecked() && form->Edit3->isEnabled());
        QVERIFY(form->rb2->isChecked());
    }

    void scrollsInsteadOfMoving() {
        ShowActive();
        form->resize(300, 200);
        QTRY_VERIFY(form->ScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(form->ScrollBox->verticalScrollBar()->isVisible());
        QCOMPARE(form->ScrollBox->verticalScrollBar()->value(), 0);
        form->Button1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->Button1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->OKButton);
        QTRY_VERIFY(form->ScrollBox->verticalScrollBar()->value() > 0);
        QVERIFY(form->ScrollBox->horizontalScrollBar()->value() > 0);

        form->resize(900, 700);
        QTRY_VERIFY(!form->ScrollBox->verticalScrollBar()->isVisible());
        QVERIFY(!form->ScrollBox->horizontalScrollBar()->isVisible());
        QCOMPARE(form->ClientArea->pos(), QPoint(0, 0));
        QCOMPARE(form->ClientArea->size(), QSize(497, 449));
        QCOMPARE(form->OKButton->geometry(), QRect(391, 404, 106, 45));
    }
};

QTEST_MAIN(Unit3Test)
#include "Unit3Test.moc"
