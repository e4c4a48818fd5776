// How a window's layout test takes its rows from the literal table and checks its widgets.
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
#include <vector>

#include "Accessible.h"
#include "layout_table.h"
#include "WindowLook.h"

inline void AddLayoutColumns() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QColor>("colour");
}

// The rows of the literal table, one test row each.
inline void AddLayoutRows(const std::vector<layout::Row>& rows) {
    const auto colour = [](layout::Colour c) {
        switch (c) {
        case layout::Colour::Blue: return zanvoro::kBlue;
        case layout::Colour::Red: return zanvoro::kRed;
        case layout::Colour::Teal: return zanvoro::kTeal;
        case layout::Colour::Black: return zanvoro::kBlack;
        case layout::Colour::WindowText: break;
        }
        return zanvoro::WindowText();
    };
    for (const layout::Row& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.parent)
                              << QRect(r.left, r.top, r.width, r.height)
                              << QString::fromUtf8(r.text) << r.pixels
                              << QString::fromLatin1(r.style) << colour(r.colour);
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
