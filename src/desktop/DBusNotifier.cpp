#include "desktop/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <utility>

namespace almanis {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
}  // namespace

DBusNotifier::DBusNotifier(QDBusConnection bus, QObject* parent)
    : Notifier(parent), bus_(std::move(bus)) {
    if (bus_.isConnected()) {
        bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                     SLOT(serviceActionInvoked(uint, QString)));
        // Notification servers of protocol version 1.2 send it just before ActionInvoked.
        bus_.connect(kService, kPath, kInterface, QStringLiteral("ActivationToken"), this,
                     SLOT(activationToken(uint, QString)));
        bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                     SLOT(notificationClosed(uint, uint)));
    }
}

void DBusNotifier::notify(const Notification& notification) {
    if (!bus_.isConnected()) {
        return;
    }
    const int generation = ++generation_;
    // A service that reads markup would take "<" and "&" in a description for
    // markup, and one without buttons gets none, so it is asked first; neither
    // call is waited for.
    auto* capabilities =
        new QDBusPendingCallWatcher(bus_.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this,
            [this, notification, generation](QDBusPendingCallWatcher* answered) {
                const QDBusPendingReply<QStringList> reply = *answered;
                answered->deleteLater();
                // No answer: no service to show anything. A later request
                // (another notification, or taking this one back) wins.
                if (reply.isValid() && generation == generation_) {
                    send(notification, reply.value(), generation);
                }
            });
}

void DBusNotifier::send(const Notification& notification, const QStringList& capabilities,
                        int generation) {
    QStringList lines = notification.lines;
    if (capabilities.contains(QStringLiteral("body-markup"))) {
        for (QString& line : lines) {
            line = line.toHtmlEscaped();
        }
    }
    QStringList actions{kDefaultAction, notification.summary};
    if (capabilities.contains(QStringLiteral("actions"))) {
        for (const Notification::Action& action : notification.actions) {
            actions << action.key << action.label;
        }
    }
    QDBusMessage message = call(QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry)},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))},
    };
    message << QStringLiteral("Almanis") << shownId_ << QStringLiteral("almanis")
            << notification.summary << lines.join(QLatin1Char('\n')) << actions << hints
            << qint32(-1);
    auto* shown = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(shown, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* answered) {
                const QDBusPendingReply<uint> reply = *answered;
                answered->deleteLater();
                if (!reply.isValid()) {
                    return;
                }
                if (generation == generation_) {
                    shownId_ = reply.value();
                } else if (reply.value() != shownId_) {
                    // Taken back, or followed by another, before the service
                    // answered: it is no longer the one to show.
                    close(reply.value());
                }
            });
}

void DBusNotifier::withdraw() {
    ++generation_;
    token_.clear();
    if (shownId_ != 0) {
        close(shownId_);
        shownId_ = 0;
    }
}

void DBusNotifier::close(uint id) {
    QDBusMessage message = call(QStringLiteral("CloseNotification"));
    message << id;
    bus_.asyncCall(message);
}

void DBusNotifier::activationToken(uint id, const QString& token) {
    if (id != 0 && id == shownId_) {
        token_ = token;
    }
}

void DBusNotifier::serviceActionInvoked(uint id, const QString& action) {
    if (id == 0 || id != shownId_) {
        return;
    }
    const QString token = std::exchange(token_, QString());
    if (action == kDefaultAction) {
        emit activated(token);
    } else {
        emit actionInvoked(action, token);
    }
}

void DBusNotifier::notificationClosed(uint id, uint /*reason*/) {
    // Dismissed or expired: the next notification is a new one.
    if (id != 0 && id == shownId_) {
        shownId_ = 0;
        token_.clear();
    }
}

}  // namespace almanis
