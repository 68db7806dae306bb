#pragma once

#include <QString>

// Every SQL text the program issues is built here.
namespace almanis::sql {

// A description between apostrophes, every apostrophe in it doubled. A NUL
// character cannot be stored and throws AppError.
QString quoted(const QString& description);

// The one query of every reader.
QString selectEvents();

// The number that changes whenever another connection commits a change.
QString dataVersion();

// Deletes the row with the given id.
QString deleteEvent(qint64 id);

// The sample row of the "Load Sample/Example Data" command.
QString insertSampleEvent();

// A new row, as the editor and the text import write it.
QString insertEvent(const QString& description, int month, int day);

// Changes the row with the given id.
QString updateEvent(const QString& description, int month, int day, qint64 id);

}  // namespace almanis::sql
