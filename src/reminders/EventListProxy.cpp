#include "reminders/EventListProxy.h"

#include <QCollator>

namespace almanis {

namespace {
// Whether `x` sorts before `y`, the lower number first and a missing one
// last; nothing when they are equal.
std::optional<bool> lowestFirst(std::optional<int> x, std::optional<int> y) {
    if (x == y) {
        return std::nullopt;
    }
    return x && (!y || *x < *y);
}

bool isAscii(QByteArrayView utf8) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

// The user's alphabet, digits by their value ("Day 2" before "Day 10"), letter
// case aside; made once, as making one costs more than many comparisons.
const QCollator& alphabet() {
    static const QCollator collator = [] {
        QCollator made;
        made.setCaseSensitivity(Qt::CaseInsensitive);
        made.setNumericMode(true);
        return made;
    }();
    return collator;
}
}  // namespace

QString foldedForSearch(const QString& text) {
    if (isAscii(text)) {
        return text.toCaseFolded();
    }
    // Decomposed, an accented letter is its base letter and a combining mark.
    QString folded = text.normalized(QString::NormalizationForm_KD);
    folded.removeIf([](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
               category == QChar::Mark_Enclosing;
    });
    return folded.toCaseFolded();
}

EventListProxy::EventListProxy(EventListModel& events, QObject* parent)
    : QSortFilterProxyModel(parent), events_(events) {
    setSourceModel(&events);
    // A refill that changes a row puts it where it now belongs.
    setDynamicSortFilter(true);
}

void EventListProxy::setSearchText(const QString& text) {
    if (text == searchText_) {
        return;
    }
    searchText_ = text;
    foldedSearch_ = foldedForSearch(text.simplified());
    asciiSearch_ = isAscii(foldedSearch_);
    invalidateRowsFilter();
}

void EventListProxy::sort(int column, Qt::SortOrder order) {
    const bool calendarOrder =
        column == EventListModel::MonthColumn || column == EventListModel::DayColumn;
    // The events model lists the events in calendar order already.
    QSortFilterProxyModel::sort(calendarOrder && order == Qt::AscendingOrder ? -1 : column, order);
}

bool EventListProxy::holds(QByteArrayView utf8) const {
    if (asciiSearch_ && isAscii(utf8)) {
        return QLatin1StringView(utf8).contains(foldedSearch_, Qt::CaseInsensitive);
    }
    return foldedForSearch(QString::fromUtf8(utf8)).contains(foldedSearch_);
}

bool EventListProxy::matches(int row) const {
    if (foldedSearch_.isEmpty()) {
        return true;
    }
    if (holds(events_.rows().descriptionUtf8(row))) {
        return true;
    }
    const QString note =
        events_
            .data(events_.index(row, EventListModel::DescriptionColumn), EventListModel::NoteRole)
            .toString();
    return !note.isEmpty() && holds(note.toUtf8());
}

bool EventListProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() && matches(sourceRow);
}

bool EventListProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int a = left.row();
    const int b = right.row();
    switch (left.column()) {
        case EventListModel::DaysLeftColumn:
            // Events whose days left cannot be counted come last.
            if (const auto order = lowestFirst(events_.daysLeft(a), events_.daysLeft(b))) {
                return *order;
            }
            break;
        case EventListModel::YearsColumn:
            // Events without a year come last.
            if (const auto order =
                    lowestFirst(events_.yearsCompleted(a), events_.yearsCompleted(b))) {
                return *order;
            }
            break;
        case EventListModel::DescriptionColumn: {
            const int order =
                alphabet().compare(events_.rows().description(a), events_.rows().description(b));
            if (order != 0) {
                return order < 0;
            }
            break;
        }
        default:
            break;
    }
    // Equal keys, and the calendar columns: the calendar order of the events model.
    return a < b;
}

}  // namespace almanis
