#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

namespace almanis::test {

// The whole content of a file; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file whole, creating its folder; fails the test when it can't.
inline void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

// True when any of the texts contains `part`.
inline bool anyContains(const QStringList& texts, const QString& part) {
    for (const QString& text : texts) {
        if (text.contains(part)) {
            return true;
        }
    }
    return false;
}

// The files below `folder`, at any depth, whose content holds `text`.
inline QStringList filesContaining(const QString& folder, const QByteArray& text) {
    QStringList found;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (readFile(path).contains(text)) {
            found << path;
        }
    }
    return found;
}

}  // namespace almanis::test
