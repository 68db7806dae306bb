#include "widgets/VisibleColumnsModel.h"

namespace almanis {

VisibleColumnsModel::VisibleColumnsModel(QObject* parent) : QSortFilterProxyModel(parent) {
    // Rows are neither sorted nor filtered: a change of the source needs no
    // second look at its rows.
    setDynamicSortFilter(false);
}

void VisibleColumnsModel::setColumnVisible(int sourceColumn, bool visible) {
    if (visible == isColumnVisible(sourceColumn)) {
        return;
    }
    if (visible) {
        hidden_.remove(sourceColumn);
    } else {
        hidden_.insert(sourceColumn);
    }
    invalidateFilter();
}

int VisibleColumnsModel::viewColumn(int sourceColumn) const {
    if (!sourceModel() || sourceColumn < 0 || sourceColumn >= sourceModel()->columnCount() ||
        !isColumnVisible(sourceColumn)) {
        return -1;
    }
    int column = 0;
    for (int c = 0; c < sourceColumn; ++c) {
        column += isColumnVisible(c) ? 1 : 0;
    }
    return column;
}

bool VisibleColumnsModel::filterAcceptsColumn(int sourceColumn, const QModelIndex&) const {
    return isColumnVisible(sourceColumn);
}

}  // namespace almanis
