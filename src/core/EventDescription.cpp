#include "core/EventDescription.h"

namespace almanis {

bool isControlCharacter(QChar c) {
    switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
}

qsizetype firstControlCharacter(const QString& description) {
    for (qsizetype i = 0; i < description.size(); ++i) {
        if (isControlCharacter(description.at(i))) {
            return i;
        }
    }
    return -1;
}

qsizetype firstNoteControlCharacter(const QString& note) {
    for (qsizetype i = 0; i < note.size(); ++i) {
        const QChar c = note.at(i);
        const bool layout = c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
                            c == QLatin1Char('\t') || c.category() == QChar::Separator_Line ||
                            c.category() == QChar::Separator_Paragraph;
        if (!layout && isControlCharacter(c)) {
            return i;
        }
    }
    return -1;
}

QString withControlsAsBlanks(const QString& description) {
    if (firstControlCharacter(description) < 0) {
        return description;
    }
    QString line;
    line.reserve(description.size());
    for (qsizetype i = 0; i < description.size(); ++i) {
        const QChar c = description.at(i);
        if (c == QLatin1Char('\r') && i + 1 < description.size() &&
            description.at(i + 1) == QLatin1Char('\n')) {
            continue;
        }
        line.append(isControlCharacter(c) ? QChar(QLatin1Char(' ')) : c);
    }
    return line;
}

}  // namespace almanis
