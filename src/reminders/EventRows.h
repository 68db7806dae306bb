#pragma once

#include "core/EventRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace almanis {

// The events of the main list, kept compact: a few numbers per event and the
// descriptions side by side in one UTF-8 buffer, so that a list of 100,000
// events holds no string object per event. A month or day that could not be
// read is marked so; the row is kept all the same.
class EventRows {
  public:
    // Starts a row with the event's id; the other fields are set on the last
    // row as they are read.
    void append(qint64 id);
    void setLastDescription(QByteArrayView utf8);
    void setLastMonth(int month);
    void setLastDay(int day);
    // The whole record at once, as tests and imports build rows.
    void append(const EventRecord& event, bool monthRead = true, bool dayRead = true);

    int count() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Room for about as many rows and as much text as `other` holds, for a
    // read of the same events.
    void reserveLike(const EventRows& other);
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(rows)); }

    qint64 id(int row) const { return rows_[row].id; }
    int month(int row) const { return rows_[row].month; }
    int day(int row) const { return rows_[row].day; }
    bool monthRead(int row) const { return rows_[row].flags & MonthRead; }
    bool dayRead(int row) const { return rows_[row].flags & DayRead; }
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
    // 24 bytes a row. SQLite keeps no text longer than a billion bytes, so the
    // length leaves two bits for the flags.
    struct Row {
        qint64 id = 0;
        qint32 month = 0;
        qint32 day = 0;
        quint32 textStart = 0;
        quint32 textLength : 30 = 0;
        quint32 flags : 2 = 0;
    };
    static_assert(sizeof(Row) == 24);

    Row& last() { return rows_.back(); }
    quint32 appendText(QByteArrayView utf8);

    std::vector<Row> rows_;
    QByteArray text_;
    qsizetype textInUse_ = 0;
};

}  // namespace almanis
