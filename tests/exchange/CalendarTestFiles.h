// What the iCalendar and vCard tests share beside Files.h: events in data rows
// and in failure reports, a large file made piece by piece without holding it
// in memory, and the process's peak memory.
#pragma once

#include "Files.h"
#include "core/EventRecord.h"

#include <sys/resource.h>
#include <QFile>
#include <QList>
#include <QTest>
#include <functional>

namespace almanis {

// How QCOMPARE shows an event that differs.
inline char* toString(const EventRecord& event) {
    return QTest::toString(
        QStringLiteral("{%1, \"%2\", %3/%4, year %5, remind %6, note \"%7\", uid \"%8\"}")
            .arg(event.id)
            .arg(event.description)
            .arg(event.month)
            .arg(event.day)
            .arg(event.year ? QString::number(*event.year) : QStringLiteral("none"))
            .arg(event.remindDays ? QLatin1Char('[') + event.remindDays->toText() + QLatin1Char(']')
                                  : QStringLiteral("options"))
            .arg(event.note, event.uid));
}

}  // namespace almanis

namespace almanis::test {

inline EventRecord yearly(const QString& description, int month, int day) {
    return EventRecord{0, description, month, day};
}

// An event with the details the store keeps beside it.
struct Details {
    std::optional<int> year = std::nullopt;
    std::optional<RemindWindows> remindDays = std::nullopt;
    QString note = QString();
    QString uid = QString();
};
inline EventRecord yearly(const QString& description, int month, int day, const Details& details) {
    EventRecord event{0, description, month, day};
    event.year = details.year;
    event.remindDays = details.remindDays;
    event.note = details.note;
    event.uid = details.uid;
    return event;
}

// The remind windows of the days ("0,7"); "" for windows all switched off.
inline RemindWindows windows(const char* days) {
    return *RemindWindows::fromText(QString::fromLatin1(days));
}

// Writes `head`, then the pieces that `piece(n)` gives for n = 0, 1, 2, ... until
// the file has at least `size` bytes, then `tail`. Returns how many pieces it wrote.
inline int writeLargeFile(const QString& path, const QByteArray& head,
                          const std::function<QByteArray(int)>& piece, qint64 size,
                          const QByteArray& tail) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return -1;
    }
    qint64 written = file.write(head);
    int pieces = 0;
    while (written < size) {
        written += file.write(piece(pieces++));
    }
    file.write(tail);
    return pieces;
}

// The most memory the process has held so far, in KiB.
inline long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// AddressSanitizer keeps freed memory aside for a while, so the process's peak
// says nothing about what a reader holds at once.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakMemoryIsMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPeakMemoryIsMeaningful = false;
#else
constexpr bool kPeakMemoryIsMeaningful = true;
#endif
#else
constexpr bool kPeakMemoryIsMeaningful = true;
#endif

}  // namespace almanis::test
