#pragma once

#include "core/EventRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace almanis {

// The events of the main list, kept compact: a few numbers per event (its
// year and own remind windows among them) and the descriptions side by side in
// one UTF-8 buffer, so that a list of 100,000 events holds no string object
// per event. A month or day that could not be read is marked so; the row is
// kept all the same. Notes and UIDs are not kept here: the list never shows
// them.
class EventRows {
  public:
    // Starts a row with the event's id; the other fields are set on the last
    // row as they are read.
    void append(qint64 id);
    void setLastDescription(QByteArrayView utf8);
    void setLastMonth(int month);
    void setLastDay(int day);
    // A row's year (1 to 9999; others count as none) and own remind windows.
    void setYear(int row, std::optional<int> year);
    void setRemindDays(int row, std::optional<RemindWindows> windows);
    // The whole record at once, as tests and imports build rows; its note and
    // UID are not kept.
    void append(const EventRecord& event, bool monthRead = true, bool dayRead = true);

    int count() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Room for about as many rows and as much text as `other` holds, for a
    // read of the same events.
    void reserveLike(const EventRows& other);
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(rows)); }

    qint64 id(int row) const { return idOf(rows_[row]); }
    int month(int row) const { return rows_[row].month; }
    int day(int row) const { return rows_[row].day; }
    bool monthRead(int row) const { return rows_[row].flags & MonthRead; }
    bool dayRead(int row) const { return rows_[row].flags & DayRead; }
    std::optional<int> year(int row) const;
    std::optional<RemindWindows> remindDays(int row) const;
    QByteArrayView descriptionUtf8(int row) const;
    QString description(int row) const { return QString::fromUtf8(descriptionUtf8(row)); }
    EventRecord record(int row) const;

    // Whether row `a` here and row `b` of `other` hold the same event, read the
    // same way.
    bool sameRow(int a, const EventRows& other, int b) const;

    // Editing in place, for a list that follows a new read step by step. The
    // buffer only grows here; compact() drops the descriptions no row uses.
    void insertFrom(int row, const EventRows& other, int from, int count);
    void replaceFrom(int row, const EventRows& other, int from);
    void remove(int row, int count);
    void move(int from, int to);
    void compact();
    // Sorts the rows by month, then day, then id: the store's calendar order.
    void sortByDate();

  private:
    enum Flag : quint32 { MonthRead = 1, DayRead = 2 };
    // The bit of `windows` that says the row has remind windows of its own;
    // the bits below it are their mask.
    static constexpr quint8 kOwnWindows = 0x80;
    // 28 bytes a row: the id in two halves keeps the row on 4-byte alignment,
    // so the year and the windows take no padding of 8. SQLite keeps no text
    // longer than a billion bytes, so the length leaves two bits for the flags.
    struct Row {
        quint32 idLow = 0;
        qint32 idHigh = 0;
        qint32 month = 0;
        qint32 day = 0;
        quint32 textStart = 0;
        quint32 textLength : 30 = 0;
        quint32 flags : 2 = 0;
        quint16 year = 0;    // 0: not known
        quint8 windows = 0;  // kOwnWindows and the mask, or 0: the options apply
    };
    static_assert(sizeof(Row) == 28);

    static qint64 idOf(const Row& row) { return (qint64(row.idHigh) << 32) | qint64(row.idLow); }
    Row& last() { return rows_.back(); }
    quint32 appendText(QByteArrayView utf8);

    std::vector<Row> rows_;
    QByteArray text_;
    qsizetype textInUse_ = 0;
};

}  // namespace almanis
