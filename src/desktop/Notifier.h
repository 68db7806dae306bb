#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace almanis {

// What one notification tells and offers.
struct Notification {
    // A button of the notification: the key it answers with and its label.
    struct Action {
        QString key;
        QString label;
        friend bool operator==(const Action&, const Action&) = default;
    };

    QString summary;
    QStringList lines;
    // Buttons besides a click on the notification itself, shown where the
    // desktop's notifications have buttons.
    QList<Action> actions;
};

// The desktop's notifications: one notification of the program's at a time,
// which a new one replaces.
class Notifier : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Shows a notification with the program's icon, replacing the one shown
    // before. Never waits for the desktop and never fails: without a
    // notification service nothing is shown.
    virtual void notify(const Notification& notification) = 0;
    // Takes the notification shown last away, once what it told is answered.
    virtual void withdraw() = 0;

  signals:
    // The user clicked the notification shown last (its default action).
    // `activationToken` is the desktop's permission to bring a window to the
    // front for that click (empty where the desktop gives none).
    void activated(const QString& activationToken);
    // The user chose one of the notification's buttons, by its key.
    void actionInvoked(const QString& key, const QString& activationToken);
};

}  // namespace almanis
