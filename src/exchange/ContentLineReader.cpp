#include "exchange/ContentLineReader.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>

namespace almanis {

ContentLineReader::ContentLineReader(QIODevice& device, const QString& source)
    : lines_(device, source, kLongestContentLine) {
    hasNext_ = lines_.readLine(next_);
    nextCut_ = lines_.cut();
    if (hasNext_ && next_.startsWith("\xEF\xBB\xBF")) {
        next_.remove(0, 3);
    }
}

bool ContentLineReader::readLine(QByteArray& line) {
    if (!hasNext_) {
        return false;
    }
    // Copied, not handed over: the caller's buffer and next_ keep their room from
    // line to line, so reading allocates nothing once they have grown to the
    // longest line. Handing buffers around left holes between the small texts
    // that readers keep, and the memory taken grew with the file.
    line.resize(0);
    line.append(next_.constData(), next_.size());
    cut_ = nextCut_;
    lineNumber_ = lines_.lineNumber();
    while ((hasNext_ = lines_.readLine(next_))) {
        nextCut_ = lines_.cut();
        if (next_.isEmpty() || (next_.front() != ' ' && next_.front() != '\t')) {
            break;
        }
        const qsizetype room = std::max<qsizetype>(0, kLongestContentLine - line.size());
        const qsizetype more = next_.size() - 1;
        line.append(next_.constData() + 1, std::min(more, room));
        cut_ = cut_ || nextCut_ || more > room;
    }
    return true;
}

QString fileSource(const QString& path) {
    return QCoreApplication::translate("almanis::ContentLineReader", "The file %1").arg(path);
}

void openFileToImport(QFile& file) {
    const QFileInfo info(file.fileName());
    if (!info.exists()) {
        throw AppError(
            QCoreApplication::translate("almanis::ContentLineReader", "File not found: %1")
                .arg(file.fileName()));
    }
    if (!info.isFile()) {
        throw AppError(QCoreApplication::translate("almanis::ContentLineReader",
                                                   "The file %1 cannot be opened: it is not a "
                                                   "regular file")
                           .arg(file.fileName()));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QCoreApplication::translate("almanis::ContentLineReader",
                                                   "The file %1 cannot be opened: %2")
                           .arg(file.fileName(), file.errorString()));
    }
}

}  // namespace almanis
