#pragma once

#include "core/RemindWindows.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>

namespace almanis {

// One yearly event: a month and a day, and what the store keeps beside them.
struct EventRecord {
    EventRecord() = default;
    // An event without details, as the text format and the list give it.
    EventRecord(qint64 id, QString description, int month, int day)
        : id(id), description(std::move(description)), month(month), day(day) {}

    qint64 id = 0;  // 0 for an event not stored yet
    QString description;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to the month's length; 29 February is a valid event date
    // The year it first happened (a birth, a wedding), when known: 1 to the
    // current year.
    std::optional<int> year;
    // The event's own remind windows; without them the options' apply.
    std::optional<RemindWindows> remindDays;
    // The user's note (gift ideas, an address); "" for none.
    QString note;
    // The event's identity in calendar files and on other machines: a random
    // UUID given when it was first stored, or the UID a file brought with it.
    // Empty for an event not stored yet that brings none.
    QString uid;

    friend bool operator==(const EventRecord&, const EventRecord&) = default;
};

}  // namespace almanis
