#pragma once

#include "ScriptedUi.h"

#include "core/AppError.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QStringList>
#include <QtTest>

// Fails the test unless `text` contains `part`, showing the whole text.
#define ALMANIS_VERIFY_CONTAINS(text, part)                                                      \
    do {                                                                                         \
        const QString whole_ = (text);                                                           \
        QVERIFY2(whole_.contains(part),                                                          \
                 qPrintable(QStringLiteral("\"%1\" is not in: %2").arg(QString(part), whole_))); \
    } while (false)

// Fails the test unless `text` begins with `part`, showing the whole text.
#define ALMANIS_VERIFY_STARTS(text, part)                                                    \
    do {                                                                                     \
        const QString whole_ = (text);                                                       \
        QVERIFY2(whole_.startsWith(part), qPrintable(QStringLiteral("\"%1\" does not begin " \
                                                                    "with: %2")              \
                                                         .arg(whole_, QString(part))));      \
    } while (false)

namespace almanis::test {

// What `action` reports when it throws AppError; a null string when it does not.
template <class Action>
QString errorOf(Action&& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.description();
    }
    return {};
}

// Every box shown so far as "kind|title|text", to compare them whole.
inline QStringList shownBoxes(const ScriptedUi& ui) {
    QStringList boxes;
    for (const ScriptedUi::Box& box : ui.boxes) {
        boxes << box.kind + QLatin1Char('|') + box.title + QLatin1Char('|') + box.text;
    }
    return boxes;
}

// The texts of the boxes of one kind: "error", "inform" or "question".
inline QStringList boxTexts(const ScriptedUi& ui, const QString& kind) {
    QStringList texts;
    for (const ScriptedUi::Box& box : ui.boxes) {
        if (box.kind == kind) {
            texts << box.text;
        }
    }
    return texts;
}

// Bytes that are no format at all, the same on every run.
inline QByteArray randomBytes(int size, quint32 seed = 20260615) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

}  // namespace almanis::test
