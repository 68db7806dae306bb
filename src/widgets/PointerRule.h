#pragma once

#include <QCursor>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace almanis {

// The window's mouse pointer: the hand over push buttons and the arrow over the
// background, frames and lists, but never while the hourglass shows.
class PointerRule final : public QObject {
    Q_OBJECT
  public:
    enum Shape { Arrow, Hourglass, Hand };

    explicit PointerRule(QWidget& window);

    // Loads the hand from a .cur file; without it the hand is the arrow.
    void loadHand(const QString& curPath);
    bool hasHand() const { return hasHand_; }

    void watchButton(QWidget* button);
    void watchBackground(QWidget* widget);

    Shape shape() const { return shape_; }
    void setShape(Shape shape);

    // What moving the mouse over a button or over the background does.
    void overButton();
    void overBackground();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    QCursor hand_;
    bool hasHand_ = false;
    Shape shape_ = Arrow;
    QList<QObject*> buttons_;
};

}  // namespace almanis
