#include "mainwindow/EventListControl.h"

#include "core/Guard.h"
#include "core/SettingsStore.h"
#include "reminders/EventListModel.h"
#include "widgets/Services.h"
#include "widgets/VisibleColumnsModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <algorithm>
#include <array>

namespace almanis {

namespace {
// The settings key of the list's order, and its value: the column's name and
// the direction, "Days Left,Ascending". Stored words, never translated.
const QString kOrderKey = QStringLiteral("List Order");

struct ColumnName {
    EventListModel::Column column;
    const char* name;
};
constexpr std::array<ColumnName, 5> kSortable = {
    {{EventListModel::DescriptionColumn, "Description"},
     {EventListModel::MonthColumn, "Month"},
     {EventListModel::DayColumn, "Day"},
     {EventListModel::DaysLeftColumn, "Days Left"},
     {EventListModel::YearsColumn, "Years"}}};

QString orderText(int column, Qt::SortOrder order) {
    for (const ColumnName& sortable : kSortable) {
        if (sortable.column == column) {
            return QLatin1String(sortable.name) + QLatin1Char(',') +
                   (order == Qt::AscendingOrder ? QLatin1String("Ascending")
                                                : QLatin1String("Descending"));
        }
    }
    return {};
}

struct Order {
    int column = EventListModel::MonthColumn;
    Qt::SortOrder order = Qt::AscendingOrder;
};

// The order a stored value names; the calendar order for anything else.
Order orderFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) {
        return {};
    }
    for (const ColumnName& sortable : kSortable) {
        if (parts[0] == QLatin1String(sortable.name)) {
            if (parts[1] == QLatin1String("Ascending")) {
                return {sortable.column, Qt::AscendingOrder};
            }
            if (parts[1] == QLatin1String("Descending")) {
                return {sortable.column, Qt::DescendingOrder};
            }
        }
    }
    return {};
}

// The events an address book gives are shown in italics: they are changed
// there, not here.
class AddressBookMark final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(EventListModel::AddressBookRole).toBool()) {
            option->font.setItalic(true);
        }
    }
};
}  // namespace

EventListControl::EventListControl(Services& services, EventListModel& events, QObject* parent)
    : QObject(parent), services_(services), proxy_(events) {}

void EventListControl::attach(QTreeView& view, QLineEdit& search) {
    view_ = &view;
    search_ = &search;
    // The viewport narrows when the vertical scroll bar appears.
    view.viewport()->installEventFilter(this);
    view.setItemDelegate(new AddressBookMark(&view));
    connect(&search, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.isEmpty() && !notesWanted_) {
            notesWanted_ = true;
            emit notesWanted();
        }
        proxy_.setSearchText(text);
    });
    search.installEventFilter(this);
    connect(view.header(), &QHeaderView::sortIndicatorChanged, this,
            &EventListControl::orderChosen);
    showOrder(EventListModel::MonthColumn, Qt::AscendingOrder);
}

int EventListControl::viewColumn(int sourceColumn) const {
    const auto* columns = qobject_cast<const VisibleColumnsModel*>(view_->model());
    return columns ? columns->viewColumn(sourceColumn) : sourceColumn;
}

void EventListControl::showOrder(int sourceColumn, Qt::SortOrder order) {
    // Only the user's own choices are remembered.
    restoring_ = true;
    // Set before sorting is switched on, so that switching it on sorts by it.
    view_->header()->setSortIndicator(viewColumn(sourceColumn), order);
    view_->setSortingEnabled(true);
    restoring_ = false;
}

void EventListControl::restoreOrder() {
    const Order order = orderFromText(services_.settings.get(kOrderKey, QString()));
    showOrder(order.column, order.order);
}

void EventListControl::orderChosen(int column, Qt::SortOrder order) {
    if (restoring_ || !view_) {
        return;
    }
    const auto* columns = qobject_cast<const VisibleColumnsModel*>(view_->model());
    const QString text = orderText(columns ? columns->sourceColumn(column) : column, order);
    if (text.isEmpty()) {
        return;
    }
    Guard g(services_.ui, where::sortList);
    g.step(100, [&] { services_.settings.save(kOrderKey, text); });
}

void EventListControl::columnsSized() {
    givenWidth_ = 0;
    widenDescriptions();
}

void EventListControl::widenDescriptions() {
    const int column = viewColumn(EventListModel::DescriptionColumn);
    if (column < 0) {
        return;
    }
    // The widths the user or the design gave the columns stay theirs; the
    // description column gets the room left beside them, or gives it back.
    QHeaderView* header = view_->header();
    const int taken = header->length() - givenWidth_;
    const int room = std::max(0, view_->viewport()->width() - taken);
    header->resizeSection(column, std::max(0, header->sectionSize(column) - givenWidth_) + room);
    givenWidth_ = room;
}

bool EventListControl::eventFilter(QObject* watched, QEvent* event) {
    if (view_ && watched == view_->viewport() && event->type() == QEvent::Resize) {
        widenDescriptions();
    }
    // Escape empties the search field, and the list shows every event again.
    if (watched == search_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !search_->text().isEmpty()) {
        search_->clear();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace almanis
