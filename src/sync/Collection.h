#pragma once

#include <QString>
#include <QUrl>

namespace almanis {

// What a collection on a server holds for Almanis: events, kept both ways, or
// contacts, whose birthdays and anniversaries are read.
enum class CollectionKind { Calendar, AddressBook };

// A calendar or address book on a server.
struct Collection {
    QUrl url;
    CollectionKind kind = CollectionKind::Calendar;
    QString name;  // as the server calls it; may be empty
};

}  // namespace almanis
