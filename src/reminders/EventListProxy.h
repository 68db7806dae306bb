#pragma once

#include "reminders/EventListModel.h"

#include <QSortFilterProxyModel>
#include <QString>

namespace almanis {

// Text as the search compares it: without accents or other combining marks
// and in one letter case, so that "grace" finds "Grâce" and "GRACE".
QString foldedForSearch(const QString& text);

// The main list as the user asked to see it: in the order of a column and
// narrowed to the events that hold the search text. The calendar order of the
// events model is the default; Month and Day sort by it, Day(s) Left from the
// soonest event on, Years from the fewest, Description by the user's
// alphabet. Rows the view maps through here are mapped back to the events
// model before any command uses them (mapToSource), so the commands act on
// the event the user selected.
class EventListProxy final : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit EventListProxy(EventListModel& events, QObject* parent = nullptr);

    // Keeps the events whose description or note (the events model's
    // NoteRole) holds `text`, in any letter case and with or without accents;
    // empty text keeps every event.
    void setSearchText(const QString& text);
    QString searchText() const { return searchText_; }

    // Sorts by an events model column. Month and Day ascending are the
    // events model's own order, which costs no sorting at all.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    // Whether the event of `row` holds the folded search text.
    bool matches(int row) const;
    // Whether the UTF-8 text holds the folded search text.
    bool holds(QByteArrayView utf8) const;

    const EventListModel& events_;
    QString searchText_;
    QString foldedSearch_;
    bool asciiSearch_ = true;
};

}  // namespace almanis
