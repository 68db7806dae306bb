#include "exchange/FileLineReader.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>

namespace almanis {

namespace {
constexpr qint64 kBlockSize = 64 * 1024;
}  // namespace

FileLineReader::FileLineReader(QIODevice& device, QString source, qsizetype longest)
    : device_(device), source_(std::move(source)), longest_(longest) {}

bool FileLineReader::fill() {
    if (taken_ < block_.size()) {
        return true;
    }
    block_.resize(kBlockSize);
    const qint64 read = device_.read(block_.data(), kBlockSize);
    if (read < 0) {
        //: %1 is "The file <path>".
        throw AppError(QCoreApplication::translate("almanis::FileLineReader",
                                                   "%1 cannot be read after line %2: %3")
                           .arg(source_)
                           .arg(lines_)
                           .arg(device_.errorString()));
    }
    block_.resize(read);
    taken_ = 0;
    return read > 0;
}

bool FileLineReader::readLine(QByteArray& line) {
    line.resize(0);
    cut_ = false;
    if (afterCr_) {
        afterCr_ = false;
        if (fill() && block_.at(taken_) == '\n') {
            ++taken_;
        }
    }
    if (!fill()) {
        return false;
    }
    for (;;) {
        const char* start = block_.constData() + taken_;
        const char* end = block_.constData() + block_.size();
        const char* stop = std::find_if(start, end, [](char c) { return c == '\n' || c == '\r'; });
        const qsizetype room = std::max<qsizetype>(0, longest_ - line.size());
        const qsizetype length = stop - start;
        line.append(start, std::min(length, room));
        cut_ = cut_ || length > room;
        taken_ += length;
        if (stop != end) {
            afterCr_ = *stop == '\r';
            ++taken_;
            break;
        }
        if (!fill()) {
            break;
        }
    }
    ++lines_;
    return true;
}

}  // namespace almanis
