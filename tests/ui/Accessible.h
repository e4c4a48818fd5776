// What a screen reader is told about a control, as the window tests check it.
#pragma once

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The role a control of this kind must report.
inline QAccessible::Role ExpectedRole(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w)) return QAccessible::EditableText;
    if (qobject_cast<const QPushButton*>(w)) return QAccessible::Button;
    if (qobject_cast<const QCheckBox*>(w)) return QAccessible::CheckBox;
    if (qobject_cast<const QRadioButton*>(w)) return QAccessible::RadioButton;
    if (qobject_cast<const QGroupBox*>(w)) return QAccessible::Grouping;
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text().isEmpty() ? QAccessible::Graphic : QAccessible::StaticText;
    return QAccessible::NoRole;
}

// A name to read and the role of the control's kind; no accelerator mark read aloud.
inline void VerifyAccessible(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    QVERIFY(a);
    const QString name = a->text(QAccessible::Name);
    QVERIFY2(!name.trimmed().isEmpty(), qPrintable(w->objectName()));
    QVERIFY2(!name.contains(u'&'), qPrintable(name));
    QCOMPARE(a->role(), ExpectedRole(w));
}
