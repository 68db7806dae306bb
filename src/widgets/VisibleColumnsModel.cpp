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

int VisibleColumnsModel::sourceColumn(int viewColumn) const {
    if (!sourceModel() || viewColumn < 0) {
        return -1;
    }
    for (int c = 0; c < sourceModel()->columnCount(); ++c) {
        if (isColumnVisible(c) && viewColumn-- == 0) {
            return c;
        }
    }
    return -1;
}

void VisibleColumnsModel::sort(int column, Qt::SortOrder order) {
    // The rows stay in the source's order, which is the order asked for.
    if (sourceModel()) {
        sourceModel()->sort(sourceColumn(column), order);
    }
}

bool VisibleColumnsModel::filterAcceptsColumn(int sourceColumn, const QModelIndex&) const {
    return isColumnVisible(sourceColumn);
}

}  // namespace almanis
