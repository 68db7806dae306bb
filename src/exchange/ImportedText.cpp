#include "exchange/ImportedText.h"

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
        const QChar::Category category = c.category();
        const bool breaksTheLine = category == QChar::Other_Control ||
                                   category == QChar::Separator_Line ||
                                   category == QChar::Separator_Paragraph;
        line.append(breaksTheLine ? QChar(QLatin1Char(' ')) : c);
    }
    line = line.trimmed();
    return line.isEmpty() ? fallback : line;
}

}  // namespace almanis
