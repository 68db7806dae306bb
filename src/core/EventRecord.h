#pragma once

#include <QString>
#include <QtGlobal>

namespace almanis {

// One yearly event as the store keeps it: no year, only a month and a day.
struct EventRecord {
    qint64 id = 0;  // 0 for an event not stored yet
    QString description;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to the month's length; 29 February is a valid event date

    friend bool operator==(const EventRecord&, const EventRecord&) = default;
};

}  // namespace almanis
