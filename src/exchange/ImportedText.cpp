#include "exchange/ImportedText.h"

#include "core/EventDescription.h"

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
    const QString line = withControlsAsBlanks(text).trimmed();
    return line.isEmpty() ? fallback : line;
}

}  // namespace almanis
