#pragma once

#include "widgets/Design.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
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

// The cache keys of the palettes `window` and its widgets draw with, once it
// has drawn: windows that take no palettes of their own share them.
inline QList<qint64> paletteKeys(QWidget& window) {
    window.grab();
    QList<qint64> keys{window.palette().cacheKey()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        keys << widget->palette().cacheKey();
    }
    return keys;
}

// Gives `window` a scheme whose button face is a red no style uses, draws it
// and tells the colours shown at the points `at` (in the window's
// coordinates) that are not that face, within the shading a style may add;
// empty when each shows it.
inline QString pointsWithoutTheFace(QWidget& window, const QList<QPoint>& at) {
    const QColor face(200, 40, 40);
    QPalette scheme = window.palette();
    scheme.setColor(QPalette::Button, face);
    window.setPalette(scheme);
    const QImage picture = window.grab().toImage();
    QStringList wrong;
    for (const QPoint point : at) {
        const QColor shown = picture.pixelColor(point * picture.devicePixelRatio());
        if (qAbs(shown.red() - face.red()) > 8 || qAbs(shown.green() - face.green()) > 8 ||
            qAbs(shown.blue() - face.blue()) > 8) {
            wrong << QStringLiteral("%1,%2: %3").arg(point.x()).arg(point.y()).arg(shown.name());
        }
    }
    return wrong.join(QLatin1String("; "));
}

}  // namespace almanis::test
