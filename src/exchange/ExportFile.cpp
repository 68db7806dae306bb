#include "exchange/ExportFile.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

namespace almanis {

namespace {
constexpr qsizetype kWriteChunk = 64 * 1024;

// What is at `path` when it is neither missing nor a regular file, in words
// completing "it is ..."; empty otherwise. A link counts as what it leads to.
QString otherThanRegular(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return {};
    }
    const auto is = [](const char* what) {
        return QCoreApplication::translate("almanis::ExportFile", what);
    };
    switch (status.st_mode & S_IFMT) {
        case S_IFREG:
            return {};
        case S_IFCHR:
        case S_IFBLK:
            return is(QT_TRANSLATE_NOOP("almanis::ExportFile", "a device"));
        case S_IFIFO:
            return is(QT_TRANSLATE_NOOP("almanis::ExportFile", "a named pipe"));
        case S_IFDIR:
            return is(QT_TRANSLATE_NOOP("almanis::ExportFile", "a folder"));
        case S_IFSOCK:
            return is(QT_TRANSLATE_NOOP("almanis::ExportFile", "a socket"));
        default:
            return is(QT_TRANSLATE_NOOP("almanis::ExportFile", "no regular file"));
    }
}
}  // namespace

ExportFile::ExportFile(const QString& path) : file_(path) {
    refuseAllButRegularFiles();
    if (!file_.open(QIODevice::WriteOnly)) {
        throw AppError(
            QCoreApplication::translate("almanis::ExportFile", "The file %1 cannot be created: %2")
                .arg(path, file_.errorString()));
    }
}

void ExportFile::append(const QByteArray& bytes) {
    pending_ += bytes;
    if (pending_.size() >= kWriteChunk) {
        writePending();
    }
}

void ExportFile::commit() {
    writePending();
    // Something may have taken the target's place while the file was written.
    refuseAllButRegularFiles();
    if (!file_.commit()) {
        throw AppError(
            QCoreApplication::translate("almanis::ExportFile", "The file %1 cannot be written: %2")
                .arg(file_.fileName(), file_.errorString()));
    }
}

void ExportFile::refuseAllButRegularFiles() const {
    const QString kind = otherThanRegular(file_.fileName());
    if (!kind.isEmpty()) {
        //: %2 is what is there instead, as "a device" or "a folder".
        throw AppError(QCoreApplication::translate("almanis::ExportFile",
                                                   "Nothing was written to %1: it is %2, and an "
                                                   "export writes only to a regular file")
                           .arg(file_.fileName(), kind));
    }
}

void ExportFile::writePending() {
    if (file_.write(pending_) != pending_.size()) {
        throw AppError(
            QCoreApplication::translate("almanis::ExportFile", "The file %1 cannot be written: %2")
                .arg(file_.fileName(), file_.errorString()));
    }
    pending_.clear();
}

QString exportedText(int count, const QString& file) {
    if (count == 0) {
        return QCoreApplication::translate(
                   "almanis::ExportFile",
                   "There are no events to export; %1 was written with none in it.")
            .arg(file);
    }
    return count == 1
               ? QCoreApplication::translate("almanis::ExportFile", "1 event exported to %1.")
                     .arg(file)
               : QCoreApplication::translate("almanis::ExportFile", "%1 events exported to %2.")
                     .arg(QString::number(count), file);
}

}  // namespace almanis
