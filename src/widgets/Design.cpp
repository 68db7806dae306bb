#include "widgets/Design.h"

#include "core/AppError.h"
#include "reminders/EventListModel.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QPixmap>
#include <QTreeView>
#include <QWidget>

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

QTreeView* makeListView(QWidget* parent, ListViewModel& model) {
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
    const auto applyWidth = [view](int column, int twips) {
        const int width = px(twips);
        view->setColumnHidden(column, width <= 1);
        if (width > 1) {
            view->header()->resizeSection(column, width);
        }
    };
    QObject::connect(&model, &ListViewModel::columnWidthChanged, view, applyWidth);
    return view;
}

PointerRule::PointerRule(QWidget& window) : QObject(&window), window_(window) {}

void PointerRule::loadCustomPointer(const QString& curPath) {
    QImageReader reader(curPath, "cur");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw AppError(QStringLiteral("Invalid picture: %1").arg(curPath));
    }
    // The hot spot sits in the file's first directory entry (bytes 10 to 13).
    int hotX = 0;
    int hotY = 0;
    QFile file(curPath);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray head = file.read(14);
        if (head.size() == 14) {
            hotX = static_cast<uchar>(head[10]) | static_cast<uchar>(head[11]) << 8;
            hotY = static_cast<uchar>(head[12]) | static_cast<uchar>(head[13]) << 8;
        }
    }
    custom_ = QCursor(QPixmap::fromImage(image), hotX, hotY);
    hasCustom_ = true;
}

void PointerRule::watchButton(QWidget* button) {
    button->setMouseTracking(true);
    button->installEventFilter(this);
    buttons_.append(button);
}

void PointerRule::watchBackground(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void PointerRule::setMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    switch (pointer) {
        case Hourglass:
            window_.setCursor(Qt::WaitCursor);
            break;
        case Custom:
            if (hasCustom_) {
                window_.setCursor(custom_);
            } else {
                window_.unsetCursor();
            }
            break;
        case Default:
            window_.unsetCursor();
            break;
    }
}

void PointerRule::overButton() {
    if (pointer_ != Hourglass) {
        setMousePointer(Custom);
    }
}

void PointerRule::overBackground() {
    if (pointer_ != Hourglass) {
        setMousePointer(Default);
    }
}

bool PointerRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (buttons_.contains(watched)) {
            overButton();
        } else {
            overBackground();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace almanis
