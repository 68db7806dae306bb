#include "exchange/ContentLineReader.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace almanis {

namespace {
constexpr qint64 kBlockSize = 64 * 1024;
}  // namespace

ContentLineReader::ContentLineReader(QIODevice& device, const QString& source)
    : device_(device), source_(source) {
    hasNext_ = readFileLine(next_);
    if (hasNext_ && next_.startsWith("\xEF\xBB\xBF")) {
        next_.remove(0, 3);
    }
}

bool ContentLineReader::readFileLine(QByteArray& line) {
    line.resize(0);
    bool readSome = false;
    for (;;) {
        if (taken_ == block_.size()) {
            block_.resize(kBlockSize);
            const qint64 read = device_.read(block_.data(), kBlockSize);
            if (read < 0) {
                //: %1 is "The file <path>".
                throw AppError(QCoreApplication::translate("almanis::ContentLineReader",
                                                           "%1 cannot be read after line %2: %3")
                                   .arg(source_)
                                   .arg(fileLines_)
                                   .arg(device_.errorString()));
            }
            block_.resize(read);
            taken_ = 0;
            if (read == 0) {
                break;
            }
        }
        readSome = true;
        const qsizetype end = block_.indexOf('\n', taken_);
        const qsizetype stop = end < 0 ? block_.size() : end;
        line.append(block_.constData() + taken_, stop - taken_);
        taken_ = end < 0 ? stop : end + 1;
        if (end >= 0) {
            break;
        }
    }
    if (!readSome) {
        return false;
    }
    ++fileLines_;
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return true;
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
    lineNumber_ = fileLines_;
    while ((hasNext_ = readFileLine(next_))) {
        if (next_.isEmpty() || (next_.front() != ' ' && next_.front() != '\t')) {
            break;
        }
        line.append(next_.constData() + 1, next_.size() - 1);
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
