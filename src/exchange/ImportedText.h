#pragma once

#include <QByteArrayView>
#include <QString>

namespace almanis {

// Text taken from files that other programs wrote.

// The text of bytes that should be UTF-8, as iCalendar and vCard 3 and 4 are:
// UTF-8 when they are valid UTF-8, otherwise Windows-1252, the code page that
// older Windows programs wrote (the event text file reads old files the same way).
QString textFromBytes(QByteArrayView bytes);

// The text as a one-line event description: every line break and other control
// character becomes a blank (CR LF one blank), and the ends are trimmed;
// `fallback` when nothing is left. The editor refuses line breaks and the list
// shows one line per event, so an imported description must not hold any.
QString oneLineDescription(const QString& text, const QString& fallback);

}  // namespace almanis
