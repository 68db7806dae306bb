#include "reminders/EventRows.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <limits>
#include <tuple>
#include <utility>

namespace almanis {

void EventRows::append(qint64 id) {
    Row row;
    row.idLow = static_cast<quint32>(quint64(id) & 0xffffffffu);
    row.idHigh = static_cast<qint32>(id >> 32);
    row.textStart = static_cast<quint32>(text_.size());
    rows_.push_back(row);
}

void EventRows::setLastDescription(QByteArrayView utf8) {
    Row& row = last();
    textInUse_ -= row.textLength;
    row.textStart = appendText(utf8);
    row.textLength = static_cast<quint32>(utf8.size());
}

void EventRows::setLastMonth(int month) {
    last().month = month;
    last().flags |= MonthRead;
}

void EventRows::setLastDay(int day) {
    last().day = day;
    last().flags |= DayRead;
}

void EventRows::setYear(int row, std::optional<int> year) {
    rows_[row].year = year && *year >= 1 && *year <= 9999 ? static_cast<quint16>(*year) : 0;
}

void EventRows::setRemindDays(int row, std::optional<RemindWindows> windows) {
    rows_[row].windows = windows ? quint8(kOwnWindows | windows->mask()) : 0;
}

void EventRows::append(const EventRecord& event, bool monthRead, bool dayRead) {
    append(event.id);
    setLastDescription(event.description.toUtf8());
    if (monthRead) {
        setLastMonth(event.month);
    }
    if (dayRead) {
        setLastDay(event.day);
    }
    setYear(count() - 1, event.year);
    setRemindDays(count() - 1, event.remindDays);
}

std::optional<int> EventRows::year(int row) const {
    const quint16 year = rows_[row].year;
    return year != 0 ? std::optional<int>(year) : std::nullopt;
}

std::optional<RemindWindows> EventRows::remindDays(int row) const {
    const quint8 windows = rows_[row].windows;
    if (!(windows & kOwnWindows)) {
        return std::nullopt;
    }
    return RemindWindows::fromMask(windows & quint8(~kOwnWindows));
}

void EventRows::reserveLike(const EventRows& other) {
    rows_.reserve(other.rows_.size() + other.rows_.size() / 16 + 16);
    text_.reserve(other.textInUse_ + other.textInUse_ / 16 + 256);
}

QByteArrayView EventRows::descriptionUtf8(int row) const {
    const Row& r = rows_[row];
    return QByteArrayView(text_.constData() + r.textStart, r.textLength);
}

EventRecord EventRows::record(int row) const {
    EventRecord event{id(row), description(row), month(row), day(row)};
    event.year = year(row);
    event.remindDays = remindDays(row);
    return event;
}

bool EventRows::sameRow(int a, const EventRows& other, int b) const {
    const Row& x = rows_[a];
    const Row& y = other.rows_[b];
    return x.idLow == y.idLow && x.idHigh == y.idHigh && x.month == y.month && x.day == y.day &&
           x.flags == y.flags && x.year == y.year && x.windows == y.windows &&
           descriptionUtf8(a) == other.descriptionUtf8(b);
}

quint32 EventRows::appendText(QByteArrayView utf8) {
    // The offsets are 32 bits: far beyond any list a person keeps, but a store
    // made elsewhere could hold more, and that is refused rather than garbled.
    if (text_.size() + utf8.size() > std::numeric_limits<quint32>::max()) {
        throw AppError(QCoreApplication::translate("almanis::EventRows", "Out of memory"));
    }
    const auto start = static_cast<quint32>(text_.size());
    text_.append(utf8);
    textInUse_ += utf8.size();
    return start;
}

void EventRows::insertFrom(int row, const EventRows& other, int from, int count) {
    Q_ASSERT(&other != this);
    std::vector<Row> added(other.rows_.begin() + from, other.rows_.begin() + from + count);
    for (int i = 0; i < count; ++i) {
        added[i].textStart = appendText(other.descriptionUtf8(from + i));
    }
    rows_.insert(rows_.begin() + row, added.begin(), added.end());
}

void EventRows::replaceFrom(int row, const EventRows& other, int from) {
    Q_ASSERT(&other != this);
    textInUse_ -= rows_[row].textLength;
    Row replacement = other.rows_[from];
    replacement.textStart = appendText(other.descriptionUtf8(from));
    rows_[row] = replacement;
}

void EventRows::remove(int row, int count) {
    const auto first = rows_.begin() + row;
    for (auto it = first; it != first + count; ++it) {
        textInUse_ -= it->textLength;
    }
    rows_.erase(first, first + count);
}

void EventRows::move(int from, int to) {
    const auto at = rows_.begin();
    if (from < to) {
        std::rotate(at + from, at + from + 1, at + to + 1);
    } else if (to < from) {
        std::rotate(at + to, at + from, at + from + 1);
    }
}

void EventRows::sortByDate() {
    // Rows read in the order stored, each on a day of the calendar, are
    // counted into their days: one pass instead of a sort by comparison,
    // keeping the order of each day's rows. Anything else is sorted whole.
    constexpr int kDays = 32;
    std::array<int, 13 * kDays> starts{};
    const auto dayOf = [](const Row& row) { return row.month * kDays + row.day; };
    bool counted = true;
    for (std::size_t i = 0; i < rows_.size() && counted; ++i) {
        const Row& row = rows_[i];
        counted = row.month >= 1 && row.month <= 12 && row.day >= 1 && row.day < kDays &&
                  (i == 0 || idOf(rows_[i - 1]) < idOf(row));
        if (counted) {
            ++starts[dayOf(row)];
        }
    }
    if (!counted) {
        std::sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
            return std::tuple(a.month, a.day, idOf(a)) < std::tuple(b.month, b.day, idOf(b));
        });
        return;
    }
    int start = 0;
    for (int& rowsOnDay : starts) {
        start += std::exchange(rowsOnDay, start);
    }
    std::vector<Row> sorted(rows_.size());
    for (const Row& row : rows_) {
        sorted[starts[dayOf(row)]++] = row;
    }
    rows_ = std::move(sorted);
}

void EventRows::compact() {
    // Edits leave the descriptions they replaced behind; once those outweigh
    // the ones in use, the buffer is written afresh.
    if (text_.size() <= 2 * textInUse_ + 4096) {
        return;
    }
    QByteArray text;
    text.reserve(textInUse_);
    for (Row& row : rows_) {
        const QByteArrayView description(text_.constData() + row.textStart, row.textLength);
        row.textStart = static_cast<quint32>(text.size());
        text.append(description);
    }
    text_ = std::move(text);
}

}  // namespace almanis
