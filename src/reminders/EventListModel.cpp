#include "reminders/EventListModel.h"

#include "core/AppError.h"
#include "core/EventDate.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <optional>
#include <vector>

namespace almanis {

namespace {
// The inner columns are never shown and keep their stored names.
constexpr std::array<const char*, EventListModel::ColumnCount> kHeaders = {
    "id",
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Description"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Month"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Day"),
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Day(s) Left"),
    "MonthNo",
    QT_TRANSLATE_NOOP("almanis::EventListModel", "Years")};
}  // namespace

void EventListModel::setToday(QDate today) {
    if (today == count_.today()) {
        return;
    }
    count_ = DayCount(today);
    if (!rows_.isEmpty()) {
        emit dataChanged(index(0, MonthColumn), index(count() - 1, ColumnCount - 1),
                         {Qt::DisplayRole});
    }
}

void EventListModel::setRows(EventRows rows) {
    readMonthNames();
    if (rows_.isEmpty() || rows.isEmpty()) {
        reset(std::move(rows));
        return;
    }
    // Most reads differ from the last by an event or two: find the stretch
    // that changed between the rows both share at the start and at the end.
    const int oldCount = count();
    const int newCount = rows.count();
    int head = 0;
    while (head < oldCount && head < newCount && rows_.sameRow(head, rows, head)) {
        ++head;
    }
    int tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           rows_.sameRow(oldCount - 1 - tail, rows, newCount - 1 - tail)) {
        ++tail;
    }
    if (!followRows(rows, head, oldCount - tail, newCount - tail)) {
        reset(std::move(rows));
        return;
    }
    rows_.compact();
}

void EventListModel::setRows(const QList<Row>& rows) {
    EventRows compact;
    compact.reserve(static_cast<int>(rows.size()));
    for (const Row& row : rows) {
        compact.append(row.event, row.monthRead, row.dayRead);
    }
    setRows(std::move(compact));
}

void EventListModel::reset(EventRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

namespace {
// Beyond this many moves, one reset costs the views less.
constexpr int kMostMoves = 256;

// Which entries of `sequence` make one longest strictly increasing run.
std::vector<bool> longestIncreasingRun(const std::vector<int>& sequence) {
    const int n = static_cast<int>(sequence.size());
    std::vector<int> tails;  // per run length, the entry that ends the lowest run
    std::vector<int> previous(sequence.size(), -1);
    for (int i = 0; i < n; ++i) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), sequence[i],
                             [&](int entry, int value) { return sequence[entry] < value; });
        if (at != tails.begin()) {
            previous[i] = *(at - 1);
        }
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<bool> inRun(sequence.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[i]) {
        inRun[i] = true;
    }
    return inRun;
}
}  // namespace

// Which rows of the changed stretch stay in the list, told apart by the
// store's id, and which of those must move to stand in the new order.
struct EventListModel::RowMatch {
    QSet<qint64> kept;
    QSet<qint64> moving;
};

std::optional<EventListModel::RowMatch> EventListModel::matchRows(const EventRows& next, int head,
                                                                  int oldEnd, int newEnd) const {
    // A read that holds an id twice cannot be followed row by row.
    QHash<qint64, int> wanted;
    wanted.reserve(newEnd - head);
    for (int j = head; j < newEnd; ++j) {
        if (wanted.contains(next.id(j))) {
            return std::nullopt;
        }
        wanted.insert(next.id(j), j);
    }
    RowMatch match;
    QSet<qint64> seen;
    std::vector<int> newPositions;
    std::vector<qint64> keptIds;
    for (int i = head; i < oldEnd; ++i) {
        const qint64 id = rows_.id(i);
        if (seen.contains(id)) {
            return std::nullopt;
        }
        seen.insert(id);
        if (const auto at = wanted.constFind(id); at != wanted.cend()) {
            match.kept.insert(id);
            keptIds.push_back(id);
            newPositions.push_back(*at);
        }
    }
    // The kept rows in the longest run already in the new order stay where
    // they are; the others move, the fewest moves there can be.
    const std::vector<bool> staying = longestIncreasingRun(newPositions);
    for (std::size_t k = 0; k < keptIds.size(); ++k) {
        if (!staying[k]) {
            match.moving.insert(keptIds[k]);
        }
    }
    return match;
}

void EventListModel::removeLeftRows(const RowMatch& match, int head, int oldEnd) {
    // From the end, so the positions before stay good; each run of rows that
    // left goes at once.
    for (int i = oldEnd - 1; i >= head;) {
        if (match.kept.contains(rows_.id(i))) {
            --i;
            continue;
        }
        int first = i;
        while (first > head && !match.kept.contains(rows_.id(first - 1))) {
            --first;
        }
        beginRemoveRows({}, first, i);
        rows_.remove(first, i - first + 1);
        endRemoveRows();
        i = first - 1;
    }
}

void EventListModel::moveKeptRows(const RowMatch& match, const EventRows& next, int head,
                                  int newEnd) {
    // Each moving row goes right after the row the new read has before it.
    const auto positionOf = [&](qint64 id) {
        int at = head;
        while (rows_.id(at) != id) {
            ++at;
        }
        return at;
    };
    std::optional<qint64> before;
    for (int j = head; j < newEnd; ++j) {
        const qint64 id = next.id(j);
        if (!match.kept.contains(id)) {
            continue;
        }
        if (match.moving.contains(id)) {
            const int from = positionOf(id);
            const int to = before ? positionOf(*before) + 1 : head;
            if (to != from) {
                beginMoveRows({}, from, from, {}, to);
                rows_.move(from, to > from ? to - 1 : to);
                endMoveRows();
            }
        }
        before = id;
    }
}

void EventListModel::insertAndUpdateRows(const RowMatch& match, const EventRows& next, int head,
                                         int newEnd) {
    // The kept rows stand in the new order: the new rows go in among them,
    // each run at once, and the kept ones whose fields changed are updated.
    int row = head;
    for (int j = head; j < newEnd;) {
        if (match.kept.contains(next.id(j))) {
            Q_ASSERT(rows_.id(row) == next.id(j));
            if (!rows_.sameRow(row, next, j)) {
                rows_.replaceFrom(row, next, j);
                emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::DisplayRole});
            }
            ++row;
            ++j;
            continue;
        }
        int last = j;
        while (last + 1 < newEnd && !match.kept.contains(next.id(last + 1))) {
            ++last;
        }
        const int added = last - j + 1;
        beginInsertRows({}, row, row + added - 1);
        rows_.insertFrom(row, next, j, added);
        endInsertRows();
        row += added;
        j = last + 1;
    }
}

bool EventListModel::followRows(const EventRows& next, int head, int oldEnd, int newEnd) {
    const std::optional<RowMatch> match = matchRows(next, head, oldEnd, newEnd);
    if (!match || match->moving.size() > kMostMoves) {
        return false;
    }
    removeLeftRows(*match, head, oldEnd);
    moveKeptRows(*match, next, head, newEnd);
    insertAndUpdateRows(*match, next, head, newEnd);
    return true;
}

void EventListModel::readMonthNames() {
    const QLocale locale;
    bool changed = false;
    for (int month = 1; month <= 12; ++month) {
        QString name = locale.standaloneMonthName(month, QLocale::LongFormat);
        if (name != monthNames_[month - 1]) {
            monthNames_[month - 1] = std::move(name);
            changed = true;
        }
    }
    if (changed && !rows_.isEmpty()) {
        emit dataChanged(index(0, MonthColumn), index(count() - 1, MonthColumn), {Qt::DisplayRole});
    }
}

QString EventListModel::monthName(int month) const {
    // Carried like a date, so 13 reads as January; empty for a month that
    // carries out of the calendar.
    const std::optional<QDate> first = carriedDate(count_.today().year(), month, 1);
    return first ? monthNames_[first->month() - 1] : QString();
}

std::optional<int> EventListModel::yearsCompleted(int row) const {
    const std::optional<int> year = rows_.year(row);
    // The next occurrence as the days left count it: 29 February of a common
    // year falls on 1 March.
    const std::optional<int> days = year ? daysLeft(row) : std::nullopt;
    if (!days) {
        return std::nullopt;
    }
    // A year after that occurrence (stored by another program) completes none.
    const int years = almanis::yearsCompleted(*year, count_.today().addDays(*days));
    return years >= 0 ? std::optional<int>(years) : std::nullopt;
}

EventListModel::Row EventListModel::row(int row) const {
    if (row < 0 || row >= count()) {
        throw AppError(tr("Index out of bounds: list row %1").arg(row));
    }
    return Row{rows_.record(row), rows_.monthRead(row), rows_.dayRead(row)};
}

QString EventListModel::text(int r, Column column) const {
    if (r < 0 || r >= count()) {
        throw AppError(tr("Index out of bounds: list row %1").arg(r));
    }
    const EventRows& rows = rows_;
    switch (column) {
        case IdColumn:
            return QString::number(rows.id(r));
        case DescriptionColumn:
            return rows.description(r);
        case MonthColumn:
            return rows.monthRead(r) ? monthName(rows.month(r)) : QString();
        case DayColumn:
            return rows.dayRead(r) ? QString::number(rows.day(r)) : QString();
        case DaysLeftColumn: {
            const std::optional<int> days = daysLeft(r);
            if (!days) {
                return {};
            }
            return *days == 0 ? tr("Today") : QString::number(*days);
        }
        case MonthNumberColumn:
            return rows.monthRead(r) ? QString::number(rows.month(r)) : QString();
        case YearsColumn: {
            const std::optional<int> years = yearsCompleted(r);
            return years ? QString::number(*years) : QString();
        }
        case ColumnCount:
            break;
    }
    return {};
}

std::optional<int> EventListModel::daysLeft(int row) const {
    if (!rows_.monthRead(row) || !rows_.dayRead(row)) {
        return std::nullopt;
    }
    return count_.daysLeft(rows_.month(row), rows_.day(row));
}

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int EventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

void EventListModel::setNotes(QHash<qint64, QString> notes) {
    notes_ = std::move(notes);
    if (count() > 0) {
        // Every role: a filter on the notes looks again at every row.
        emit dataChanged(index(0, DescriptionColumn), index(count() - 1, DescriptionColumn));
    }
}

void EventListModel::setAddressBookEvents(QSet<qint64> ids) {
    if (ids == addressBookEvents_) {
        return;
    }
    addressBookEvents_ = std::move(ids);
    if (count() > 0) {
        emit dataChanged(index(0, 0), index(count() - 1, ColumnCount - 1),
                         {AddressBookRole, Qt::ToolTipRole});
    }
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    if (role == NoteRole) {
        return notes_.value(rows_.id(index.row()));
    }
    if (role == AddressBookRole) {
        return addressBookEvents_.contains(rows_.id(index.row()));
    }
    if (role == Qt::ToolTipRole) {
        if (index.column() == DescriptionColumn &&
            addressBookEvents_.contains(rows_.id(index.row()))) {
            return tr("From an address book: change it there");
        }
        return {};
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return text(index.row(), static_cast<Column>(index.column()));
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // A click on a column not sorted by yet sorts it from the lowest, whatever
    // the style's habit.
    if (role == Qt::InitialSortOrderRole && orientation == Qt::Horizontal) {
        return Qt::AscendingOrder;
    }
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
