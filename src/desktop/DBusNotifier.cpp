#include "desktop/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

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
                     SLOT(actionInvoked(uint, QString)));
    }
}

void DBusNotifier::notify(const QString& summary, const QStringList& lines) {
    if (!bus_.isConnected()) {
        return;
    }
    // A service that reads markup would take "<" and "&" in a description for
    // markup, so it is asked first; neither call is waited for.
    auto* capabilities =
        new QDBusPendingCallWatcher(bus_.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this,
            [this, summary, lines](QDBusPendingCallWatcher* answered) {
                const QDBusPendingReply<QStringList> reply = *answered;
                answered->deleteLater();
                // No answer: no service to show anything.
                if (reply.isValid()) {
                    send(summary, lines, reply.value().contains(QStringLiteral("body-markup")));
                }
            });
}

void DBusNotifier::send(const QString& summary, QStringList lines, bool markup) {
    if (markup) {
        for (QString& line : lines) {
            line = line.toHtmlEscaped();
        }
    }
    QDBusMessage message = call(QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry)},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))},
    };
    message << QStringLiteral("Almanis") << shownId_ << QStringLiteral("almanis") << summary
            << lines.join(QLatin1Char('\n')) << QStringList{kDefaultAction, summary} << hints
            << qint32(-1);
    auto* shown = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(shown, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answered) {
                const QDBusPendingReply<uint> reply = *answered;
                answered->deleteLater();
                if (reply.isValid()) {
                    shownId_ = reply.value();
                }
            });
}

void DBusNotifier::actionInvoked(uint id, const QString& action) {
    if (id != 0 && id == shownId_ && action == kDefaultAction) {
        emit activated();
    }
}

}  // namespace almanis
