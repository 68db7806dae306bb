#pragma once

#include "core/EventRecord.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <array>

namespace almanis {

// The main window's list: one row per stored event, in the order read, with
// the texts the user sees computed from the record when the view asks for
// them (month name, day, days left counted from the model's today).
class EventListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        IdColumn,
        DescriptionColumn,
        MonthColumn,
        DayColumn,
        DaysLeftColumn,
        MonthNumberColumn,
        ColumnCount
    };

    // One row: the event as read. A month or day that could not be read as a
    // whole number is marked so, and every text that needs it shows empty.
    struct Row {
        EventRecord event;
        bool monthRead = true;
        bool dayRead = true;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The day the days left count from, and the year month names are carried in.
    QDate today() const { return today_; }
    void setToday(QDate today);

    // Replaces every row; the views are told once.
    void setRows(QList<Row> rows);
    void clear() { setRows({}); }

    int count() const { return static_cast<int>(rows_.size()); }
    // Throws AppError for a row that does not exist.
    const Row& row(int row) const;
    // The text `column` shows for `row`.
    QString text(int row, Column column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    QString monthName(int month) const;

    QList<Row> rows_;
    QDate today_;
    // The user's month names, read once per fill rather than once per row.
    std::array<QString, 12> monthNames_;
};

}  // namespace almanis
