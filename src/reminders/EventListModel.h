#pragma once

#include "core/EventDate.h"
#include "core/EventRecord.h"
#include "reminders/EventRows.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <array>
#include <optional>

namespace almanis {

// The main window's list: one row per stored event, in the order read, with
// the texts the user sees computed from the record when the view asks for
// them (month name, day, days left counted from the model's today, the years
// the next occurrence completes). A new read
// of the same events changes only the rows that differ, so the view keeps its
// scroll position and selection.
class EventListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The one list of the columns, in the order the view shows those it shows.
    enum Column {
        IdColumn,
        DescriptionColumn,
        MonthColumn,
        DayColumn,
        DaysLeftColumn,
        MonthNumberColumn,
        // The years the next occurrence completes; empty without a year.
        YearsColumn,
        ColumnCount
    };

    // One row: the event as read. A month or day that could not be read as a
    // whole number is marked so, and every text that needs it shows empty.
    struct Row {
        EventRecord event;
        bool monthRead = true;
        bool dayRead = true;
    };

    // The event's note, for the search: empty for an event without one, and
    // for every event until notes are given (setNotes()). The rows do not keep
    // notes, as the list never shows them; they are read only once a search
    // needs them.
    static constexpr int NoteRole = Qt::UserRole + 1;
    // Whether the event comes from an address book (setAddressBookEvents()),
    // where it is changed, not here. Its description's tooltip says so.
    static constexpr int AddressBookRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    // The day the days left count from, and the year month names are carried in.
    QDate today() const { return count_.today(); }
    void setToday(QDate today);

    // Takes the rows of a new read. Rows that left are removed, new ones
    // inserted, moved ones moved and changed ones updated; only a first fill, an
    // emptied list or a read that shares too little with the last is a reset.
    void setRows(EventRows rows);
    void setRows(const QList<Row>& rows);
    void clear() { setRows(EventRows()); }
    // The notes the search looks through, by event id.
    void setNotes(QHash<qint64, QString> notes);
    // The ids of the events that come from address books.
    void setAddressBookEvents(QSet<qint64> ids);

    int count() const { return rows_.count(); }
    const EventRows& rows() const { return rows_; }
    // Throws AppError for a row that does not exist.
    Row row(int row) const;
    // The text `column` shows for `row`.
    QString text(int row, Column column) const;
    // The days left to the event of `row`; none when they cannot be counted.
    std::optional<int> daysLeft(int row) const;
    // The years the next occurrence of `row` completes; none without a year.
    std::optional<int> yearsCompleted(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    QString monthName(int month) const;
    void readMonthNames();
    void reset(EventRows rows);

    // Follows a new read whose rows [head, newEnd) stand where the list has
    // its rows [head, oldEnd), telling the views of each step: the rows that
    // left go, the kept ones move into the new order, the new ones come in
    // and the changed ones are updated. False, with nothing changed, where a
    // reset serves better: an id read twice, or too many moves.
    bool followRows(const EventRows& next, int head, int oldEnd, int newEnd);
    struct RowMatch;
    std::optional<RowMatch> matchRows(const EventRows& next, int head, int oldEnd,
                                      int newEnd) const;
    void removeLeftRows(const RowMatch& match, int head, int oldEnd);
    void moveKeptRows(const RowMatch& match, const EventRows& next, int head, int newEnd);
    void insertAndUpdateRows(const RowMatch& match, const EventRows& next, int head, int newEnd);

    EventRows rows_;
    DayCount count_;
    // The user's month names, read once per fill rather than once per row.
    std::array<QString, 12> monthNames_;
    QHash<qint64, QString> notes_;
    QSet<qint64> addressBookEvents_;
};

}  // namespace almanis
