#pragma once

#include <QSet>
#include <QSortFilterProxyModel>

namespace almanis {

// A model's rows in their order with only the visible columns. A view that
// merely hides a column still hands it to screen readers, which then read out
// the list's inner numbers; through this model the view never has it. A view
// that sorts asks the source model to sort, by the source's column.
class VisibleColumnsModel final : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit VisibleColumnsModel(QObject* parent = nullptr);

    void setColumnVisible(int sourceColumn, bool visible);
    bool isColumnVisible(int sourceColumn) const { return !hidden_.contains(sourceColumn); }
    // The column of this model that shows `sourceColumn`; -1 when it is hidden.
    int viewColumn(int sourceColumn) const;
    // The source column that column `viewColumn` of this model shows; -1 for none.
    int sourceColumn(int viewColumn) const;

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  protected:
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex& sourceParent) const override;

  private:
    QSet<int> hidden_;
};

}  // namespace almanis
