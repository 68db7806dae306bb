#include "widgets/Design.h"

#include "core/AppError.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QTreeView>

namespace almanis {

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QFont windowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    return font;
}

QFont buttonFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    font.setBold(true);
    return font;
}

QIcon programIcon() {
    // Decoded once: every window, box and the tray share it.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 32, 48, 64}) {
            // Naming the format, with no guessing, spares loading every image plug-in.
            QImageReader reader(QStringLiteral(":/almanis/icon-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            sizes.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return sizes;
    }();
    return icon;
}

int checkValue(const QCheckBox& box) {
    return box.isChecked() ? 1 : 0;
}

void setCheckValue(QCheckBox& box, int value) {
    if (value != 0 && value != 1) {
        throw AppError(QStringLiteral("Invalid property value: %1").arg(value));
    }
    box.setChecked(value == 1);
}

namespace {
bool takesFaceColour(const QWidget* widget) {
    return qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget) ||
           qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QLabel*>(widget);
}

void setBackground(QWidget& widget, const QColor& colour) {
    // Check boxes and option buttons fill with their button colour, frames
    // and labels with the window colour.
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
}  // namespace

void applyButtonFaceColours(QWidget& window) {
    const QColor face = window.palette().color(QPalette::Button);
    setBackground(window, face);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (takesFaceColour(child)) {
            setBackground(*child, face);
        }
    }
}

void applyDesignColours(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QCheckBox*>(child) || qobject_cast<QGroupBox*>(child)) {
            setBackground(*child, Qt::white);
        }
    }
}

QTreeView* makeReportView(QWidget* parent, QAbstractItemModel& model) {
    auto* view = new QTreeView(parent);
    view->setModel(&model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);  // keeps long lists fast
    view->setSortingEnabled(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAllColumnsShowFocus(true);
    view->setFont(windowFont());
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    view->header()->setSectionResizeMode(QHeaderView::Interactive);
    return view;
}

void setColumnWidths(QTreeView& view, const QList<int>& twips) {
    for (int column = 0; column < twips.size(); ++column) {
        const int width = px(twips[column]);
        view.setColumnHidden(column, width <= 1);
        if (width > 1) {
            view.header()->resizeSection(column, width);
        }
    }
}

}  // namespace almanis
