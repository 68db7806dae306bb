#include "reminders/EventListModel.h"

#include "core/AppError.h"

namespace almanis {

void ListViewModel::addColumn(const QString& header) {
    const int column = static_cast<int>(headers_.size());
    beginInsertColumns({}, column, column);
    headers_.append(header);
    widths_.append(1440);
    for (QStringList& row : rows_) {
        row.append(QString());
    }
    endInsertColumns();
}

void ListViewModel::setColumnWidth(int column, int twips) {
    checkColumn(column);
    widths_[column] = twips;
    emit columnWidthChanged(column, twips);
}

int ListViewModel::columnWidth(int column) const {
    checkColumn(column);
    return widths_[column];
}

QString ListViewModel::columnHeader(int column) const {
    checkColumn(column);
    return headers_[column];
}

void ListViewModel::clear() {
    if (batchDepth_ > 0) {
        // A refill reuses the old rows' cells: handing a long list's memory
        // back and faulting it in again costs more than the fill itself.
        spare_.append(std::move(rows_));
        rows_.clear();
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ListViewModel::addItem(const QString& text) {
    const int row = count();
    const qsizetype columns = std::max<qsizetype>(headers_.size(), 1);
    if (batchDepth_ > 0 && !spare_.isEmpty() && spare_.last().size() == columns) {
        QStringList cells = spare_.takeLast();
        cells[0] = text;
        for (qsizetype column = 1; column < columns; ++column) {
            cells[column] = QString();
        }
        rows_.append(std::move(cells));
        return row;
    }
    QStringList cells(columns);
    cells[0] = text;
    if (batchDepth_ > 0) {
        rows_.append(std::move(cells));
        return row;
    }
    beginInsertRows({}, row, row);
    rows_.append(std::move(cells));
    endInsertRows();
    return row;
}

void ListViewModel::setSubItem(int row, int subItem, const QString& text) {
    checkRow(row);
    if (subItem < 1 || subItem >= headers_.size()) {
        throw AppError(QStringLiteral("Invalid sub-item %1").arg(subItem));
    }
    rows_[row][subItem] = text;
    if (batchDepth_ == 0) {
        const QModelIndex cell = index(row, subItem);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

QString ListViewModel::text(int row) const {
    checkRow(row);
    return rows_[row].value(0);
}

QString ListViewModel::subItem(int row, int subItem) const {
    checkRow(row);
    if (subItem < 1 || subItem >= headers_.size()) {
        throw AppError(QStringLiteral("Invalid sub-item %1").arg(subItem));
    }
    return rows_[row].value(subItem);
}

void ListViewModel::beginBatch() {
    if (batchDepth_++ == 0) {
        beginResetModel();
    }
}

void ListViewModel::endBatch() {
    if (--batchDepth_ == 0) {
        spare_.clear();
        endResetModel();
    }
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count()) {
        return {};
    }
    return rows_[index.row()].value(index.column());
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= headers_.size()) {
        return {};
    }
    return headers_[section];
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ListViewModel::checkRow(int row) const {
    if (row < 0 || row >= count()) {
        throw AppError(QStringLiteral("Index out of bounds: list row %1").arg(row));
    }
}

void ListViewModel::checkColumn(int column) const {
    if (column < 0 || column >= headers_.size()) {
        throw AppError(QStringLiteral("Index out of bounds: list column %1").arg(column));
    }
}

}  // namespace almanis
