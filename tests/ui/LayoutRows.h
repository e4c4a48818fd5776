// The layout rows both calculating windows share, and how a window's layout test takes its rows.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QtTest>

#include <algorithm>
#include <initializer_list>

#include "Accessible.h"
#include "WindowLook.h"

// One control as the layout tables give it. `style`: b bold, i italic.
struct LayoutRow {
    const char* name;
    const char* parent;
    QRect geometry;
    QString text;
    int pixels;
    const char* style;
    QColor colour;
};

inline void AddLayoutColumns() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QColor>("colour");
}

inline void AddLayoutRows(std::initializer_list<LayoutRow> rows) {
    for (const LayoutRow& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.parent) << r.geometry << r.text << r.pixels
                              << QString::fromLatin1(r.style) << r.colour;
}

// The input, work category, result area and the two buttons at the bottom: the same in both
// windows.
inline void AddSharedLayoutRows() {
    using namespace Qt::Literals::StringLiterals;
    using zanvoro::kBlack, zanvoro::kBlue, zanvoro::kRed;
    const QColor text = zanvoro::WindowText();
    const char* c = "ClientArea";
    const QString yen = u"万円"_s, percent = u"％"_s;
    AddLayoutRows({
        {"Edit1", c, {8, 32, 169, 27}, u"0"_s, 19, "b", text},
        {"Label6", c, {184, 40, 32, 16}, yen, 16, "", text},
        {"RadioGroup1", c, {224, 8, 273, 57}, u"工事種類"_s, 16, "", kBlue},
        {"rb1", c, {240, 32, 89, 17}, u"道路維持"_s, 16, "", text},
        {"rb2", c, {352, 32, 57, 17}, u"新営"_s, 16, "", text},
        {"rb3", c, {432, 32, 57, 17}, u"改修"_s, 16, "", text},
        {"SText12", c, {8, 104, 80, 17}, u"0"_s, 16, "", text},
        {"Label23", c, {8, 88, 95, 16}, u"工事費 (概算)"_s, 16, "", kRed},
        {"Label24", c, {88, 104, 26, 13}, yen, 13, "", text},
        {"SText13", c, {160, 104, 80, 17}, u"0"_s, 16, "", text},
        {"Label25", c, {160, 88, 64, 16}, u"共通費計"_s, 16, "", kBlack},
        {"Label26", c, {240, 104, 26, 13}, yen, 13, "", text},
        {"SText6", c, {8, 168, 80, 17}, u"0"_s, 16, "", text},
        {"Label2", c, {8, 152, 64, 16}, u"工事価格"_s, 16, "", text},
        {"Label21", c, {88, 168, 26, 13}, yen, 13, "", text},
        {"SText7", c, {160, 168, 80, 17}, u"0"_s, 16, "", text},
        {"Label3", c, {160, 152, 48, 16}, u"消費税"_s, 16, "", text},
        {"Label22", c, {240, 168, 26, 13}, yen, 13, "", text},
        {"Label7", c, {280, 152, 22, 13}, u"５％"_s, 13, "", text},
        {"SText9", c, {8, 232, 80, 17}, u"0"_s, 16, "", text},
        {"Label4", c, {8, 216, 64, 16}, u"工事原価"_s, 16, "", text},
        {"Label19", c, {88, 232, 26, 13}, yen, 13, "", text},
        {"SText3", c, {160, 232, 80, 17}, u"0"_s, 16, "", text},
        {"Label5", c, {160, 216, 80, 16}, u"一般管理費"_s, 16, "", text},
        {"Label20", c, {240, 232, 26, 13}, yen, 13, "", text},
        {"Label8", c, {290, 216, 13, 13}, percent, 13, "", text},
        {"SText10", c, {8, 296, 80, 17}, u"0"_s, 16, "", text},
        {"Label9", c, {8, 280, 64, 16}, u"純工事費"_s, 16, "", text},
        {"Label17", c, {88, 296, 26, 13}, yen, 13, "", text},
        {"SText2", c, {160, 296, 80, 17}, u"0"_s, 16, "", text},
        {"Label10", c, {160, 280, 80, 16}, u"現場管理費"_s, 16, "", text},
        {"Label18", c, {240, 296, 26, 13}, yen, 13, "", text},
        {"Label11", c, {290, 280, 13, 13}, percent, 13, "", text},
        {"SText4", c, {8, 360, 80, 17}, u"0"_s, 16, "b", text},
        {"Label12", c, {8, 344, 80, 16}, u"直接工事費"_s, 16, "", kRed},
        {"Label15", c, {88, 360, 26, 13}, yen, 13, "", text},
        {"SText1", c, {160, 360, 80, 17}, u"0"_s, 16, "", text},
        {"Label13", c, {160, 344, 80, 16}, u"共通仮設費"_s, 16, "", text},
        {"Label16", c, {240, 360, 26, 13}, yen, 13, "", text},
        {"Label14", c, {290, 344, 13, 13}, percent, 13, "", text},
        {"Button2", c, {8, 408, 105, 41}, u"クリア"_s, 16, "", text},
        {"Button1", c, {128, 408, 249, 41}, u"計　        　算"_s, 16, "", text},
    });
}

// Checks the control of `window` that the current data row names against that row: its
// parent, place and size, text, font and colour, and what a screen reader is told.
inline void CheckLayoutRow(QWidget* window) {
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(QString, style);
    QFETCH(QColor, colour);
    auto* w = window->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    auto* label = qobject_cast<QLabel*>(w);
    const bool resultBox = label && label->frameShape() != QFrame::NoFrame;
    auto* button = qobject_cast<QAbstractButton*>(w);
    auto* edit = qobject_cast<QLineEdit*>(w);
    auto* frame = qobject_cast<QGroupBox*>(w);
    if (label && !resultBox) {
        // Labels are sized to their texts; in this metric-compatible font that is the
        // table's size, give or take the pixel of the descent.
        const QFontMetrics fm(label->font());
        QCOMPARE(w->pos(), geometry.topLeft());
        QCOMPARE(w->size(),
                 geometry.size().expandedTo({fm.horizontalAdvance(label->text()), fm.height()}));
        QVERIFY(w->width() - geometry.width() <= 1 && w->height() - geometry.height() <= 1);
    } else if (button && button->isCheckable()) {
        // Check boxes and radio buttons widen only as far as their caption needs.
        QCOMPARE(w->geometry(), QRect(geometry.topLeft(),
                                      QSize(std::max(geometry.width(), w->sizeHint().width()),
                                            geometry.height())));
    } else {
        QCOMPARE(w->geometry(), geometry);
    }
    QCOMPARE(frame ? frame->title() : w->property("text").toString(), text);
    QCOMPARE(w->font().family(), zanvoro::kFontFamily);
    // Resolved to the same face as IPAPGothic, whatever name the locale gives it.
    QCOMPARE(QFontInfo(w->font()).family(), QFontInfo(QFont(QStringLiteral("IPAPGothic"))).family());
    QCOMPARE(w->font().pixelSize(), pixels);
    QCOMPARE(w->font().bold(), style.contains(u'b'));
    QCOMPARE(w->font().italic(), style.contains(u'i'));
    if (resultBox) {
        QVERIFY(label->alignment() & Qt::AlignRight);
        QCOMPARE(label->frameShadow(), QFrame::Sunken);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->minimumSize(), label->maximumSize());
    }
    if (edit) QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    if (frame) QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w->palette().color(QPalette::Active, edit ? QPalette::Text : QPalette::WindowText),
             colour);
    if (button) QCOMPARE(w->palette().color(QPalette::Active, QPalette::ButtonText), colour);
    QVERIFY(w->isVisibleTo(window));
    VerifyAccessible(w);
}
