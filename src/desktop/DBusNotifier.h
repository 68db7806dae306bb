#pragma once

#include "desktop/Notifier.h"

#include <QDBusConnection>

namespace almanis {

// Notifications through the freedesktop notification service
// (org.freedesktop.Notifications) on a D-Bus connection, by default the
// session bus. Every call is asynchronous: a slow or failing service never
// keeps the program waiting, and a missing one is silence.
class DBusNotifier final : public Notifier {
    Q_OBJECT
  public:
    explicit DBusNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                          QObject* parent = nullptr);

    void notify(const Notification& notification) override;
    void withdraw() override;

    // The id of the notification shown last, which the next one replaces; 0
    // before the service has answered a first one, and once it was withdrawn
    // or closed.
    uint shownId() const { return shownId_; }

    // The desktop entry that names the program to the notification service.
    static constexpr char kDesktopEntry[] = "org.marrowind.Almanis";

  private slots:
    void serviceActionInvoked(uint id, const QString& action);
    void activationToken(uint id, const QString& token);
    void notificationClosed(uint id, uint reason);

  private:
    void send(const Notification& notification, const QStringList& capabilities, int generation);
    void close(uint id);

    QDBusConnection bus_;
    uint shownId_ = 0;
    // Counts the requests: an answer to an older one than the last is stale.
    int generation_ = 0;
    // The token the service gave with the click it is about to report.
    QString token_;
};

}  // namespace almanis
