#include "widgets/Design.h"

#include "core/AppError.h"
#include "widgets/VisibleColumnsModel.h"

#include <QAbstractProxyModel>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QTreeView>
#include <algorithm>

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

QString withoutMnemonic(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                text += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        text += caption[i];
    }
    return text;
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

QIcon attentionIcon(const QIcon& icon) {
    return attentionIcon(icon, qGuiApp->devicePixelRatio());
}

QIcon attentionIcon(const QIcon& icon, qreal pixelRatio) {
    QIcon marked;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap picture = icon.pixmap(QSize(size, size), pixelRatio);
        if (picture.isNull()) {
            continue;
        }
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        // The painter counts in the picture's own units: on a scaled screen
        // (QT_SCALE_FACTOR, a high-density one) it has more pixels than that.
        const qreal width = picture.deviceIndependentSize().width();
        const qreal dot = width * 0.45;
        const QRectF corner(width - dot, 0, dot, dot);
        painter.setPen(QPen(Qt::white, std::max<qreal>(1, dot / 8)));
        painter.setBrush(QColor(0xd0, 0x10, 0x10));
        painter.drawEllipse(corner.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.end();
        marked.addPixmap(picture);
    }
    return marked;
}

int checkValue(const QCheckBox& box) {
    return box.isChecked() ? 1 : 0;
}

void setCheckValue(QCheckBox& box, int value) {
    if (value != 0 && value != 1) {
        throw AppError(QCoreApplication::translate("almanis::Design", "Invalid property value: %1")
                           .arg(value));
    }
    box.setChecked(value == 1);
}

namespace {
bool takesFaceColour(const QWidget* widget) {
    return qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget) ||
           qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QLabel*>(widget);
}
}  // namespace

void setColours(QWidget& widget, const QColor& background, const QColor& text) {
    // Check boxes and option buttons fill with their button colour, frames and
    // labels with the window colour; captions are drawn in the matching text
    // role, and titles and labels in the window text.
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), background);
    const QColor disabledText = QColor::fromRgbF((background.redF() + text.redF()) / 2,
                                                 (background.greenF() + text.greenF()) / 2,
                                                 (background.blueF() + text.blueF()) / 2);
    for (QPalette::ColorRole role :
         {widget.foregroundRole(), QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void applyButtonFaceColours(QWidget& window) {
    // The button face and its own text colour, as the desktop's scheme has them.
    const QColor face = window.palette().color(QPalette::Button);
    const QColor text = window.palette().color(QPalette::ButtonText);
    setColours(window, face, text);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (takesFaceColour(child)) {
            setColours(*child, face, text);
        }
    }
}

void applyDesignColours(QWidget& window) {
    // The design's white boxes are the scheme's field colour with the fields'
    // text: white with black text in a light scheme, and dark with light text
    // in a dark one, where fixed white boxes would glare out of a dark window.
    const QColor field = window.palette().color(QPalette::Base);
    const QColor text = window.palette().color(QPalette::Text);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QCheckBox*>(child) || qobject_cast<QGroupBox*>(child)) {
            setColours(*child, field, text);
        }
    }
}

QTreeView* makeReportView(QWidget* parent, QAbstractItemModel& model) {
    auto* view = new QTreeView(parent);
    auto* columns = new VisibleColumnsModel(view);
    columns->setSourceModel(&model);
    view->setModel(columns);
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
    auto* columns = qobject_cast<VisibleColumnsModel*>(view.model());
    if (!columns) {
        return;
    }
    for (int column = 0; column < twips.size(); ++column) {
        columns->setColumnVisible(column, px(twips[column]) > 1);
    }
    for (int column = 0; column < twips.size(); ++column) {
        const int shown = columns->viewColumn(column);
        if (shown >= 0) {
            view.header()->resizeSection(shown, px(twips[column]));
        }
    }
}

int modelRow(const QTreeView& view, const QModelIndex& index) {
    QModelIndex at = index.model() == view.model() ? index : QModelIndex();
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(at.model())) {
        at = proxy->mapToSource(at);
    }
    return at.row();
}

}  // namespace almanis
