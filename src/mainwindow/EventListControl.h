#pragma once

#include "reminders/EventListProxy.h"

#include <QObject>

class QLineEdit;
class QTreeView;

namespace almanis {

class EventListModel;
struct Services;

// The main list's order and search: the proxy between the events and the
// view, the order that a click on a header chooses (a second click reverses
// it) and the next start restores, and the search field that narrows the list
// as the user types; Escape empties the field. The description column takes
// the width the other columns leave, so the columns reach the list's edge.
class EventListControl final : public QObject {
    Q_OBJECT
  public:
    EventListControl(Services& services, EventListModel& events, QObject* parent = nullptr);

    // What the view shows.
    EventListProxy& proxy() { return proxy_; }
    // Follows the view's header and size and the search field; the view
    // shows proxy() through a VisibleColumnsModel.
    void attach(QTreeView& view, QLineEdit& search);
    // The columns were given their widths anew: the description column's
    // width counts from there.
    void columnsSized();
    // Sorts the list as it was sorted when the program last ran; the calendar
    // order when it never was, or the setting cannot be read. Throws AppError
    // when the settings cannot be read.
    void restoreOrder();

  signals:
    // The user began to search: the list's notes are wanted from now on.
    void notesWanted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The header's sort indicator moved to the view's column `column`.
    void orderChosen(int column, Qt::SortOrder order);
    // Shows the order on the header, whose clicks then sort.
    void showOrder(int sourceColumn, Qt::SortOrder order);
    // The view's column that shows `sourceColumn` of the events model.
    int viewColumn(int sourceColumn) const;
    // Gives the description column the room the columns leave in the view.
    void widenDescriptions();

    Services& services_;
    EventListProxy proxy_;
    QTreeView* view_ = nullptr;
    QLineEdit* search_ = nullptr;
    bool restoring_ = false;
    bool notesWanted_ = false;
    int givenWidth_ = 0;  // the room the description column was given
};

}  // namespace almanis
