// What a screen reader is told about a control, as the window tests check it.
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include <utility>

// A name to read, without an accelerator mark, and the role of the control's kind.
inline void VerifyAccessible(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    const QString name = a->text(QAccessible::Name);
    QVERIFY2(!name.trimmed().isEmpty() && !name.contains(u'&'), qPrintable(w->objectName()));
    const auto* label = qobject_cast<QLabel*>(w);
    for (auto [kind, role] : {std::pair{"QLineEdit", QAccessible::EditableText},
                              {"QPushButton", QAccessible::Button},
                              {"QCheckBox", QAccessible::CheckBox},
                              {"QRadioButton", QAccessible::RadioButton},
                              {"QGroupBox", QAccessible::Grouping},
                              {"QLabel", label && label->text().isEmpty() ? QAccessible::Graphic
                                                                          : QAccessible::StaticText}})
        if (w->inherits(kind)) {
            QCOMPARE(a->role(), role);
            return;
        }
    QFAIL("not a control");
}
