#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace almanis {

// The rows of a list view in report view: each item has its own text (the first
// column) and sub-items 1, 2, ... for the other columns. Column widths are kept
// in twips; a width of 0 or 1 twip hides the column.
class ListViewModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Columns
    void addColumn(const QString& header);
    void setColumnWidth(int column, int twips);
    int columnWidth(int column) const;
    QString columnHeader(int column) const;

    // Items
    void clear();
    int addItem(const QString& text);  // returns the new row
    void setSubItem(int row, int subItem, const QString& text);
    QString text(int row) const;
    QString subItem(int row, int subItem) const;
    int count() const { return static_cast<int>(rows_.size()); }

    // Filling many rows at once: views are told once, at the end.
    void beginBatch();
    void endBatch();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void columnWidthChanged(int column, int twips);

private:
    void checkRow(int row) const;
    void checkColumn(int column) const;

    QStringList headers_;
    QList<int> widths_;
    QList<QStringList> rows_;
    QList<QStringList> spare_;  // rows cleared during a batch, for the refill
    int batchDepth_ = 0;
};

// Sets a whole batch for the lifetime of the object.
class ListBatch {
public:
    explicit ListBatch(ListViewModel& model) : model_(model) { model_.beginBatch(); }
    ~ListBatch() { model_.endBatch(); }
    ListBatch(const ListBatch&) = delete;
    ListBatch& operator=(const ListBatch&) = delete;

private:
    ListViewModel& model_;
};

}  // namespace almanis
