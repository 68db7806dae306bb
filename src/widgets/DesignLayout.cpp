#include "widgets/DesignLayout.h"

#include "widgets/Design.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>

namespace almanis {

DesignLayout::DesignLayout(QWidget* parent, int width, int height)
    : QLayout(parent), designSize_(px(width), px(height)) {
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

DesignLayout::~DesignLayout() {
    for (const Placed& placed : std::as_const(items_)) {
        delete placed.item;
    }
}

void DesignLayout::addWidget(QWidget* widget, QRect twips, Growth growth) {
    addChildWidget(widget);
    items_.append({new QWidgetItem(widget),
                   twipsRect(twips.x(), twips.y(), twips.width(), twips.height()), growth});
    invalidate();
}

void DesignLayout::addItem(QLayoutItem* item) {
    items_.append({item, item->geometry(), {}});
}

QLayoutItem* DesignLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* DesignLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) {
        return nullptr;
    }
    return items_.takeAt(index).item;
}

void DesignLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QWidget* parent = parentWidget();
    if (!parent) {
        return;
    }
    const int extraWidth = std::max(0, parent->width() - designSize_.width());
    const int extraHeight = std::max(0, parent->height() - designSize_.height());
    for (const Placed& placed : std::as_const(items_)) {
        const auto share = [](qreal part, int extra) { return qRound(part * extra); };
        const int left = share(placed.growth.left, extraWidth);
        const int top = share(placed.growth.top, extraHeight);
        // The right and bottom edges round on their own, so that two controls
        // side by side keep the design's gap between them.
        const int right = share(placed.growth.left + placed.growth.width, extraWidth);
        const int bottom = share(placed.growth.top + placed.growth.height, extraHeight);
        const QRect geometry(placed.design.x() + left, placed.design.y() + top,
                             placed.design.width() + right - left,
                             placed.design.height() + bottom - top);
        // The design's size, not the one the control's size policy prefers.
        if (QWidget* widget = placed.item->widget()) {
            widget->setGeometry(geometry);
        } else {
            placed.item->setGeometry(geometry);
        }
    }
}

}  // namespace almanis
