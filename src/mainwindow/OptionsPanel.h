#pragma once

#include "core/RemindWindows.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QCheckBox;

namespace almanis {

class Guard;
struct Services;

// The option boxes of the main window: each is stored the moment it
// changes and restored when the program starts. A change that cannot be
// stored is told once, naming the file and the reason.
class OptionsPanel final : public QObject {
    Q_OBJECT
  public:
    struct Boxes {
        QCheckBox* remindOnTheDay;
        QCheckBox* remindThreeDaysBefore;
        QCheckBox* remindSevenDaysBefore;
        QCheckBox* remindFourteenDaysBefore;
        QCheckBox* remindThirtyDaysBefore;
        QCheckBox* startAtLogon;
        QCheckBox* startInTray;
        QCheckBox* keepRunning;
    };

    OptionsPanel(Services& services, Boxes boxes, QObject* parent = nullptr);

    // While the program starts, the log-on box leaves the log-on entry alone:
    // restoring the box must neither add nor remove it.
    void setStartingUp(bool startingUp) { startingUp_ = startingUp; }

    // Restores the boxes in their order, each a step of the load from `firstStep`
    // on. Setting a box runs its handler, which stores the value just read. A
    // stored value that is no state of its box sets the box to its default,
    // which is stored at once; those options are told in one box at the end.
    void restore(Guard& load, int firstStep);

    RemindWindows remindWindows() const;
    bool startInTray() const;
    // Closing the window leaves the program running, in the tray where there
    // is one, so that reminders still come.
    bool keepRunning() const;

  private:
    void saveRemindBox(const QCheckBox& box, const QString& key);
    void saveOnOff(const QCheckBox& box, const QString& key);
    void save(const QCheckBox& box, const QString& key, const QString& value);
    void restoreRemindBox(QCheckBox& box, const QString& key, const QString& defaultValue);
    void restoreOnOff(QCheckBox& box, const QString& key);
    void resetToDefault(const QCheckBox& box, const QString& key, const QString& defaultValue);
    void tellReset();
    void startAtLogonChanged();

    Services& services_;
    Boxes boxes_;
    bool startingUp_ = false;
    bool saveFailureTold_ = false;
    QStringList reset_;  // the captions of the options set back to their defaults
};

}  // namespace almanis
