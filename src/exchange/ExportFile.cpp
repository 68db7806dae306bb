#include "exchange/ExportFile.h"

#include "core/AppError.h"

#include <QCoreApplication>

namespace almanis {

namespace {
constexpr qsizetype kWriteChunk = 64 * 1024;
}  // namespace

ExportFile::ExportFile(const QString& path) : file_(path) {
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
    if (!file_.commit()) {
        throw AppError(
            QCoreApplication::translate("almanis::ExportFile", "The file %1 cannot be written: %2")
                .arg(file_.fileName(), file_.errorString()));
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

}  // namespace almanis
