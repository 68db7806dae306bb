#include "exchange/ImportedText.h"

#include "core/EventDate.h"
#include "core/EventDescription.h"
#include "exchange/EventText.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringDecoder>

namespace almanis {

QString textFromBytes(QByteArrayView bytes) {
    if (bytes.isValidUtf8()) {
        return QString::fromUtf8(bytes);
    }
    // Opening a converter costs more than most lines; each thread keeps its own.
    thread_local QStringDecoder windows1252("windows-1252", QStringDecoder::Flag::Stateless);
    return windows1252.isValid() ? windows1252.decode(bytes) : QString::fromLatin1(bytes);
}

QString oneLineDescription(const QString& text, const QString& fallback) {
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            continue;
        }
        const bool breaks = c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
                            c == QLatin1Char('\t') || c.category() == QChar::Separator_Line ||
                            c.category() == QChar::Separator_Paragraph;
        line.append(breaks ? QChar(QLatin1Char(' ')) : c);
    }
    line = line.trimmed();
    return line.isEmpty() ? fallback : line;
}

QString descriptionProblem(const QString& description) {
    if (const qsizetype at = firstControlCharacter(description); at >= 0) {
        //: %1 is the character's code, as U+001B.
        return QCoreApplication::translate("almanis::ImportedText",
                                           "the description holds the control character %1, "
                                           "which the editor does not take either")
            .arg(QStringLiteral("U+%1")
                     .arg(description.at(at).unicode(), 4, 16, QLatin1Char('0'))
                     .toUpper());
    }
    if (description.size() > kDescriptionLimit) {
        return QCoreApplication::translate(
                   "almanis::ImportedText",
                   "the description is %1 characters long, and it can have at most %2")
            .arg(description.size())
            .arg(kDescriptionLimit);
    }
    return {};
}

QString missingDayProblem(std::optional<int> year, int month, int day) {
    if (month < 1 || month > 12) {
        return QCoreApplication::translate("almanis::ImportedText", "there is no month %1")
            .arg(month);
    }
    if (!isValidEventDate(month, day)) {
        //: %1 is the month's English name, as the event text file writes it.
        return QCoreApplication::translate("almanis::ImportedText", "%1 has no day %2")
            .arg(monthNameFromNumber(month))
            .arg(day);
    }
    // A year 0, which some address books write for none, has every day.
    if (year && *year > 0 && !QDate(*year, month, day).isValid()) {
        //: %1 is the month's English name, %2 the year.
        return QCoreApplication::translate("almanis::ImportedText", "%1 %2 has no day %3")
            .arg(monthNameFromNumber(month))
            .arg(*year)
            .arg(day);
    }
    return {};
}

QStringList textPieces(QStringView value, bool structured) {
    QStringList pieces(1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar escaped = value[++i];
            const bool lineBreak = escaped == QLatin1Char('n') || escaped == QLatin1Char('N');
            pieces.last().append(lineBreak ? QChar(QLatin1Char('\n')) : escaped);
        } else if (structured && c == QLatin1Char(';')) {
            pieces.append(QString());
        } else if (structured && c == QLatin1Char(',')) {
            pieces.last().append(QLatin1Char(' '));
        } else {
            pieces.last().append(c);
        }
    }
    return pieces;
}

}  // namespace almanis
