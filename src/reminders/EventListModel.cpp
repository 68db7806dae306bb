#include "reminders/EventListModel.h"

#include "core/AppError.h"
#include "core/EventDate.h"

#include <QLocale>

namespace almanis {

namespace {
// The inner columns are never shown and keep their stored names.
constexpr std::array<const char*, EventListModel::ColumnCount> kHeaders = {
    "id",
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Description"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Month"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Day"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Day(s) Left"),
    "MonthNo"};
}  // namespace

void EventListModel::setToday(QDate today) {
    if (today == today_) {
        return;
    }
    today_ = today;
    if (!rows_.isEmpty()) {
        emit dataChanged(index(0, MonthColumn), index(count() - 1, DaysLeftColumn),
                         {Qt::DisplayRole});
    }
}

void EventListModel::setRows(QList<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    const QLocale locale;
    for (int month = 1; month <= 12; ++month) {
        monthNames_[month - 1] = locale.standaloneMonthName(month, QLocale::LongFormat);
    }
    endResetModel();
}

QString EventListModel::monthName(int month) const {
    // Carried like a date, so 13 reads as January; empty for a month that
    // carries out of the calendar.
    const std::optional<QDate> first = carriedDate(today_.year(), month, 1);
    return first ? monthNames_[first->month() - 1] : QString();
}

const EventListModel::Row& EventListModel::row(int row) const {
    if (row < 0 || row >= count()) {
        throw AppError(QStringLiteral("Index out of bounds: list row %1").arg(row));
    }
    return rows_[row];
}

QString EventListModel::text(int r, Column column) const {
    const Row& entry = row(r);
    const EventRecord& event = entry.event;
    switch (column) {
        case IdColumn:
            return QString::number(event.id);
        case DescriptionColumn:
            return event.description;
        case MonthColumn:
            return entry.monthRead ? monthName(event.month) : QString();
        case DayColumn:
            return entry.dayRead ? QString::number(event.day) : QString();
        case DaysLeftColumn: {
            if (!entry.monthRead || !entry.dayRead) {
                return {};
            }
            const std::optional<int> days = tryDaysLeft(event.month, event.day, today_);
            if (!days) {
                return {};
            }
            return *days == 0 ? tr("Today") : QString::number(*days);
        }
        case MonthNumberColumn:
            return entry.monthRead ? QString::number(event.month) : QString();
        case ColumnCount:
            break;
    }
    return {};
}

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int EventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    return text(index.row(), static_cast<Column>(index.column()));
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    return tr(kHeaders[section]);
}

Qt::ItemFlags EventListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace almanis
