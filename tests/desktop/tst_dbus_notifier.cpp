#include "TestEnvironment.h"

#include "desktop/DBusNotifier.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace almanis;

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// A bus of the test's own, so that no desktop's notifications are involved.
class PrivateBus {
  public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            return;
        }
        process_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")});
        if (process_.waitForReadyRead(10000)) {
            address_ = QString::fromUtf8(process_.readLine()).trimmed();
        }
    }
    ~PrivateBus() {
        for (const QString& name : names_) {
            QDBusConnection::disconnectFromBus(name);
        }
        process_.kill();
        process_.waitForFinished();
    }
    bool running() const { return !address_.isEmpty(); }
    QDBusConnection connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

  private:
    QProcess process_;
    QString address_;
    QStringList names_;
};

// What a desktop's notification service does with the calls, recorded.
class NotificationService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    struct Request {
        QString appName;
        uint replacesId;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout;
    };

    QList<Request> requests;
    QList<uint> closed;
    QStringList capabilities{QStringLiteral("body"), QStringLiteral("actions")};
    bool refuse = false;
    int refused = 0;
    uint nextId = 41;

  public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        if (refuse) {
            ++refused;
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("no"));
            return 0;
        }
        requests.append({appName, replacesId, appIcon, summary, body, actions, hints, timeout});
        return replacesId != 0 ? replacesId : nextId++;
    }

    void CloseNotification(uint id) { closed.append(id); }

  signals:
    void ActionInvoked(uint id, const QString& action);
    void ActivationToken(uint id, const QString& token);
    void NotificationClosed(uint id, uint reason);
};

Notification notice(const QString& summary, const QStringList& lines) {
    return Notification{summary, lines, {{"later", "Remind Me Later"}, {"never", "Never"}}};
}

// The bus with the service on it, and a notifier on its own connection.
struct Desktop {
    explicit Desktop(bool withService = true) {
        if (!bus.running()) {
            return;
        }
        QDBusConnection serviceSide = bus.connect(QStringLiteral("service"));
        if (withService) {
            serviceSide.registerObject(
                kPath, &service,
                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
            serviceSide.registerService(kService);
        }
        notifier = std::make_unique<DBusNotifier>(bus.connect(QStringLiteral("program")));
    }
    PrivateBus bus;
    NotificationService service;
    std::unique_ptr<DBusNotifier> notifier;
};
}  // namespace

class DBusNotifierTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            QSKIP("dbus-daemon is not installed (Debian package dbus-daemon)");
        }
    }

    void theRequestNamesTheProgramAndListsTheLines() {
        Desktop desktop;
        desktop.notifier->notify(
            notice(QStringLiteral("Event Alert!"), {QStringLiteral("Ann's birthday is today."),
                                                    QStringLiteral("Ben & Cy <3 is in 3 days.")}));
        QTRY_COMPARE(desktop.service.requests.size(), 1);
        const auto& request = desktop.service.requests[0];
        QCOMPARE(request.appName, QStringLiteral("Almanis"));
        QCOMPARE(request.replacesId, 0u);
        QCOMPARE(request.appIcon, QStringLiteral("almanis"));
        QCOMPARE(request.summary, QStringLiteral("Event Alert!"));
        // Without markup in the service's capabilities the text goes as it is.
        QCOMPARE(request.body,
                 QStringLiteral("Ann's birthday is today.\nBen & Cy <3 is in 3 days."));
        QCOMPARE(request.actions.value(0), QStringLiteral("default"));
        QCOMPARE(request.hints.value(QStringLiteral("desktop-entry")).toString(),
                 QStringLiteral("org.marrowind.Almanis"));
        QCOMPARE(request.timeout, -1);
    }

    void aNewNotificationReplacesTheLastOne() {
        Desktop desktop;
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QTRY_COMPARE(desktop.notifier->shownId(), 41u);
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("b")}));
        QTRY_COMPARE(desktop.service.requests.size(), 2);
        QCOMPARE(desktop.service.requests[1].replacesId, 41u);
        QCOMPARE(desktop.service.requests[1].body, QStringLiteral("b"));
    }

    void markupIsEscapedWhereTheServiceReadsIt() {
        Desktop desktop;
        desktop.service.capabilities << QStringLiteral("body-markup");
        desktop.notifier->notify(
            notice(QStringLiteral("Event Alert!"), {QStringLiteral("Ben & Cy <3")}));
        QTRY_COMPARE(desktop.service.requests.size(), 1);
        QCOMPARE(desktop.service.requests[0].body, QStringLiteral("Ben &amp; Cy &lt;3"));
    }

    void theButtonsGoWhereTheServiceHasButtons_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QStringList>("actions");
        const QStringList clickOnly{"default", "Event Alert!"};
        QTest::newRow("with actions")
            << QStringList{"body", "actions"}
            << clickOnly + QStringList{"later", "Remind Me Later", "never", "Never"};
        QTest::newRow("without actions") << QStringList{"body"} << clickOnly;
    }
    void theButtonsGoWhereTheServiceHasButtons() {
        QFETCH(QStringList, capabilities);
        QFETCH(QStringList, actions);
        Desktop desktop;
        desktop.service.capabilities = capabilities;
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QTRY_COMPARE(desktop.service.requests.size(), 1);
        QCOMPARE(desktop.service.requests[0].actions, actions);
    }

    // What the user does with the notification reaches the program, with the
    // token the service gave just before; another program's notification,
    // a stale token and a withdrawn notification do not.
    void clicksAndButtonsReachTheProgramWithTheirToken() {
        Desktop desktop;
        QSignalSpy clicks(desktop.notifier.get(), &Notifier::activated);
        QSignalSpy buttons(desktop.notifier.get(), &Notifier::actionInvoked);
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QTRY_COMPARE(desktop.notifier->shownId(), 41u);
        emit desktop.service.ActivationToken(7, QStringLiteral("other's"));
        emit desktop.service.ActionInvoked(7, QStringLiteral("default"));  // another program's
        emit desktop.service.ActivationToken(41, QStringLiteral("token-1"));
        emit desktop.service.ActionInvoked(41, QStringLiteral("later"));
        emit desktop.service.ActionInvoked(41, QStringLiteral("default"));
        QTRY_COMPARE(clicks.size(), 1);
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons[0], (QVariantList{QStringLiteral("later"), QStringLiteral("token-1")}));
        QCOMPARE(clicks[0], QVariantList{QString()});

        desktop.notifier->withdraw();
        QTRY_COMPARE(desktop.service.closed, QList<uint>{41});
        QCOMPARE(desktop.notifier->shownId(), 0u);
        emit desktop.service.ActionInvoked(41, QStringLiteral("never"));
        // The next one is a new notification, not a replacement.
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("b")}));
        QTRY_COMPARE(desktop.service.requests.size(), 2);
        QCOMPARE(desktop.service.requests[1].replacesId, 0u);
        QCOMPARE(buttons.size(), 1);
    }

    void aNotificationWithdrawnBeforeTheServiceAnsweredIsClosed() {
        Desktop desktop;
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        desktop.notifier->withdraw();
        // Withdrawn before the capabilities came: never sent.
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("b")}));
        QTRY_COMPARE(desktop.service.requests.size(), 1);
        QCOMPARE(desktop.service.requests[0].body, QStringLiteral("b"));
        QTRY_COMPARE(desktop.notifier->shownId(), 41u);
        // Dismissed by the user: the next one is a new notification.
        emit desktop.service.NotificationClosed(41, 2);
        QTRY_COMPARE(desktop.notifier->shownId(), 0u);
    }

    void aRefusingServiceChangesNothing() {
        Desktop desktop;
        desktop.service.refuse = true;
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QTRY_COMPARE(desktop.service.refused, 1);
        QVERIFY(desktop.service.requests.isEmpty());
        // The next one is a new notification, not a replacement of nothing.
        desktop.service.refuse = false;
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("b")}));
        QTRY_COMPARE(desktop.service.requests.size(), 1);
        QCOMPARE(desktop.service.requests[0].replacesId, 0u);
    }

    void withoutAServiceOrABusNothingHappens() {
        Desktop desktop(false);
        desktop.notifier->notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QCOMPARE(desktop.notifier->shownId(), 0u);
        DBusNotifier offline(QDBusConnection(QStringLiteral("never connected")));
        offline.notify(notice(QStringLiteral("Event Alert!"), {QStringLiteral("a")}));
        QCOMPARE(offline.shownId(), 0u);
    }
};

ALMANIS_TEST_MAIN(DBusNotifierTest)
#include "tst_dbus_notifier.moc"
