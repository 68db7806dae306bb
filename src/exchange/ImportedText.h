#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace almanis {

// Text taken from files that other programs wrote.

// The text of bytes that should be UTF-8, as iCalendar and vCard 3 and 4 are:
// UTF-8 when they are valid UTF-8, otherwise Windows-1252, the code page that
// older Windows programs wrote (the event text file reads old files the same way).
QString textFromBytes(QByteArrayView bytes);

// The text of a calendar or contact value as a one-line event description:
// each line break the value's escapes wrote (CR LF one), and each tab, becomes
// a blank, and the ends are trimmed; `fallback` when nothing is left. The list
// shows one line per event. Other control characters are left for
// descriptionProblem() to refuse.
QString oneLineDescription(const QString& text, const QString& fallback);

// Why a description read from a file cannot be imported as it is, completing
// "... cannot be imported: ": it holds a control character, which would reach
// a terminal raw and which the editor refuses, or it is longer than the editor
// keeps (kDescriptionLimit). Empty when it can be imported.
QString descriptionProblem(const QString& description);

// Why a date a calendar or contact file gives does not exist, in words: "there
// is no month 13", "February has no day 30", or, with its year, "February 1985
// has no day 29". Empty when it exists: 29 February without a year does.
QString missingDayProblem(std::optional<int> year, int month, int day);

// The pieces of an iCalendar or vCard TEXT value: "\\", "\,", "\;" and "\n"
// (or "\N") stand for a backslash, a comma, a semicolon and a line break; a
// backslash before anything else is dropped. Without `structured` the value is
// one piece. In a structured value (a vCard's N) unescaped semicolons separate
// the pieces and unescaped commas the items of one piece, joined by blanks.
QStringList textPieces(QStringView value, bool structured);

}  // namespace almanis
