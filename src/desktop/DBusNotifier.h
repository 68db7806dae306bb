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

    void notify(const QString& summary, const QStringList& lines) override;

    // The id of the notification shown last, which the next one replaces; 0
    // before the service has answered a first one.
    uint shownId() const { return shownId_; }

    // The desktop entry that names the program to the notification service.
    static constexpr char kDesktopEntry[] = "org.marrowind.Almanis";

  private slots:
    void actionInvoked(uint id, const QString& action);

  private:
    void send(const QString& summary, QStringList lines, bool markup);

    QDBusConnection bus_;
    uint shownId_ = 0;
};

}  // namespace almanis
