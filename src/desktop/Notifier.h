#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace almanis {

// The desktop's notifications: one notification of the program's at a time,
// which a new one replaces.
class Notifier {
  public:
    virtual ~Notifier() = default;

    // Shows a notification with the program's icon, replacing the one shown
    // before. Never waits for the desktop and never fails: without a
    // notification service nothing is shown.
    virtual void notify(const QString& summary, const QStringList& lines) = 0;

    // Called when the user clicks the notification (its default action).
    std::function<void()> onActivated;
};

}  // namespace almanis
