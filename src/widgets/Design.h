#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QObject>
#include <QRect>

class QCheckBox;
class QTreeView;
class QWidget;

namespace almanis {

class ListViewModel;

// Window measures are given in twips, 15 to a pixel; Qt scales pixels for
// high-density screens itself.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}
QRect twipsRect(int left, int top, int width, int height);

// The windows' font (bold Arial 9 pt) and the push buttons' (bold Arial 11.25 pt).
QFont windowFont();
QFont buttonFont();

// The program's icon: a blue 'M' on a light cyan square.
QIcon programIcon();

// Check boxes hold 0 (clear) or 1 (ticked); anything else is not a state a box
// can take and throws AppError.
int checkValue(const QCheckBox& box);
void setCheckValue(QCheckBox& box, int value);

// A list view in report view over a ListViewModel: whole-row selection, no
// editing, no sorting, column widths following the model's twips.
QTreeView* makeListView(QWidget* parent, ListViewModel& model);

// The window's mouse pointer: the hand over push buttons and the arrow over the
// background, frames and lists, but never while the hourglass shows.
class PointerRule final : public QObject {
    Q_OBJECT
public:
    enum MousePointer { Default = 0, Hourglass = 11, Custom = 99 };

    explicit PointerRule(QWidget& window);

    // Loads the hand from a .cur file; without it the custom pointer is the arrow.
    void loadCustomPointer(const QString& curPath);
    bool hasCustomPointer() const { return hasCustom_; }

    void watchButton(QWidget* button);
    void watchBackground(QWidget* widget);

    MousePointer mousePointer() const { return pointer_; }
    void setMousePointer(MousePointer pointer);

    // What moving the mouse over a button or over the background does.
    void overButton();
    void overBackground();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QCursor custom_;
    bool hasCustom_ = false;
    MousePointer pointer_ = Default;
    QList<QObject*> buttons_;
};

}  // namespace almanis
