#pragma once

#include <QFont>
#include <QIcon>
#include <QList>
#include <QRect>
#include <QString>

class QAbstractItemModel;
class QModelIndex;
class QCheckBox;
class QColor;
class QTreeView;
class QWidget;

namespace almanis {

// Window measures are given in twips, 15 to a pixel; Qt scales pixels for
// high-density screens itself.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
QRect twipsRect(int left, int top, int width, int height);

// The windows' font (bold Arial 9 pt) and the push buttons' (bold Arial 11.25 pt).
QFont windowFont();
QFont buttonFont();

// A caption as the user reads it: the mnemonic's ampersand dropped, a doubled
// one read as one.
QString withoutMnemonic(const QString& caption);

// The program's icon: a blue 'M' on a light cyan square.
QIcon programIcon();
// `icon` with a red dot in its corner: the tray's sign that an alarm waits.
// (Qt's tray has no attention state of its own; a changed picture shows on
// every kind of tray.)
QIcon attentionIcon(const QIcon& icon);
// The same, its pictures made for a screen of `pixelRatio` device pixels a pixel.
QIcon attentionIcon(const QIcon& icon, qreal pixelRatio);

// Check boxes hold 0 (clear) or 1 (ticked); anything else is not a state a box
// can take and throws AppError.
int checkValue(const QCheckBox& box);
void setCheckValue(QCheckBox& box, int value);

// Forces a background colour on a widget together with a text colour that
// reads on it, so that no colour scheme leaves its own text on the forced
// background. Disabled text is drawn halfway between the two.
void setColours(QWidget& widget, const QColor& background, const QColor& text);

// Gives a window the button-face background, and its check boxes, option
// buttons, frames and labels too. Other controls keep their colours.
void applyButtonFaceColours(QWidget& window);

// The design colours of the main window: frames and check boxes in the
// scheme's field colour (white in a light scheme) with the fields' text.
void applyDesignColours(QWidget& window);

// A list in report view: whole-row selection, no editing, no sorting. The view
// shows the model through a VisibleColumnsModel, so that hidden columns are
// left out altogether, for screen readers too.
QTreeView* makeReportView(QWidget* parent, QAbstractItemModel& model);

// Column widths in twips, by the model's column; a column of at most one
// pixel is hidden.
void setColumnWidths(QTreeView& view, const QList<int>& twips);

// The row of the model under all of the view's proxies (its columns, its
// order and filter) that the view's index stands for.
int modelRow(const QTreeView& view, const QModelIndex& index);

}  // namespace almanis
