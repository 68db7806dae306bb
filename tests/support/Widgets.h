#pragma once

#include "widgets/Design.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

namespace almanis::test {

// The window's widget with the given object name (the design's name of the
// control); a missing one ends the test run, since every later step would
// only fail on it.
template <class T = QWidget>
T* find(const QObject& window, const char* objectName) {
    T* widget = window.findChild<T*>(QLatin1String(objectName));
    if (!widget) {
        qFatal("No %s named %s", T::staticMetaObject.className(), objectName);
    }
    return widget;
}

inline QPushButton* button(const QObject& window, const char* objectName) {
    return find<QPushButton>(window, objectName);
}

inline QCheckBox* checkBox(const QObject& window, const char* objectName) {
    return find<QCheckBox>(window, objectName);
}

// A button's or check box's caption as the user reads it, without the mnemonic.
inline QString caption(const QAbstractButton* control) {
    return withoutMnemonic(control->text());
}

}  // namespace almanis::test
