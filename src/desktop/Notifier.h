#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace almanis {

// The desktop's notifications: one notification of the program's at a time,
// which a new one replaces.
class Notifier : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Shows a notification with the program's icon, replacing the one shown
    // before. Never waits for the desktop and never fails: without a
    // notification service nothing is shown.
    virtual void notify(const QString& summary, const QStringList& lines) = 0;

  signals:
    // The user clicked the notification shown last (its default action).
    void activated();
};

}  // namespace almanis
