#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace almanis {

// Places a window's controls where the design puts them (in twips) while
// their parent has the design's size, and lets them follow a bigger parent:
// each control takes a share of the extra width into its left edge and its
// width, and of the extra height into its top edge and its height. A control
// in the bottom right corner moves by all of it, the list in the middle grows
// by all of it, two buttons side by side grow by half each. The controls
// stand in their parent's coordinates, whatever margins it keeps (a frame's
// title); a parent smaller than the design cuts them off, for a scroll area
// to show.
class DesignLayout final : public QLayout {
    Q_OBJECT
  public:
    // The shares, each from 0 (none) to 1 (all of it).
    struct Growth {
        qreal left = 0;
        qreal width = 0;
        qreal top = 0;
        qreal height = 0;
    };

    // A layout for `parent`, whose design size is `width` x `height` twips.
    DesignLayout(QWidget* parent, int width, int height);
    ~DesignLayout() override;

    void addWidget(QWidget* widget, QRect twips, Growth growth);

    QSize sizeHint() const override { return designSize_; }
    QSize minimumSize() const override { return designSize_; }
    void setGeometry(const QRect& rect) override;
    // Qt's own additions keep the item's place and size.
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }

  private:
    struct Placed {
        QLayoutItem* item;
        QRect design;  // pixels
        Growth growth;
    };

    QSize designSize_;
    QList<Placed> items_;
};

}  // namespace almanis
