#pragma once

#include <QString>

namespace almanis {

// The longest description the editor keeps: the length of its text field, as
// earlier versions had it. A longer one is refused, never cut.
inline constexpr int kDescriptionLimit = 32767;

// True for a character that breaks a line or controls a terminal rather than
// shows: the C0 and C1 control characters and the line and paragraph
// separators. Format characters (the marks of right-to-left text, the joiners
// of emoji) are not among them.
bool isControlCharacter(QChar c);

// The position of the first control character of the description; -1 for none.
qsizetype firstControlCharacter(const QString& description);

// The longest note the editor keeps, as long as a description.
inline constexpr int kNoteLimit = kDescriptionLimit;

// The position of the first character a note cannot hold: a control
// character other than the line breaks and tabs of its lines; -1 for none.
qsizetype firstNoteControlCharacter(const QString& note);

// The description on one line: every control character becomes a blank, and
// so does CR LF as a whole. An event file holds one event per line.
QString withControlsAsBlanks(const QString& description);

}  // namespace almanis
