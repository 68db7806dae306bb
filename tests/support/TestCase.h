#pragma once

#include <QObject>
#include <QRegularExpression>
#include <QtTest>

namespace almanis::test {

// The base of every test class: a Qt warning that the test did not announce
// with QTest::ignoreMessage fails it. The offscreen platform's notes on what
// it cannot do (raise a window, ...) say nothing about the program.
class TestCase : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
    }
};

}  // namespace almanis::test
