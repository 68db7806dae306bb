#pragma once

#include "core/AppError.h"
#include "core/Chance.h"
#include "core/Clock.h"
#include "core/SettingsStore.h"
#include "core/WakeTimer.h"
#include "desktop/Notifier.h"
#include "desktop/TrayShell.h"
#include "reminders/Sound.h"

#include <QAction>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QtTest>
#include <optional>

namespace almanis::test {

class MemorySettingsStore final : public SettingsStore {
  public:
    QString get(const QString& key, const QString& defaultValue) const override {
        return values.value(key, defaultValue);
    }
    void save(const QString& key, const QString& value) override {
        if (!failure.isEmpty()) {
            throw AppError(failure);
        }
        values.insert(key, value);
        writes.append(key + QLatin1Char('=') + value);
    }
    QString location() const override { return QStringLiteral("/memory/Almanis.conf"); }
    QMap<QString, QString> values;
    QStringList writes;
    // When set, every save fails for this reason.
    QString failure;
};

// A tray that records what it is told, and through which the test acts as
// the user.
class FakeTrayShell final : public TrayShell {
  public:
    struct Message {
        QString title;
        QString text;
        int milliseconds = 0;
    };

    bool isSystemTrayAvailable() const override { return trayAvailable; }
    void setIcon(const QIcon& newIcon) override {
        icon = newIcon;
        calls << QStringLiteral("icon");
    }
    void setToolTip(const QString& tip) override {
        toolTip = tip;
        calls << QStringLiteral("tip ") + tip;
    }
    void setVisible(bool shown) override {
        visible = shown;
        calls << (shown ? QStringLiteral("show") : QStringLiteral("hide"));
    }
    void setContextMenu(const QList<QAction*>& actions) override { menu = actions; }
    void showMessage(const QString& title, const QString& text, int milliseconds) override {
        messages.append({title, text, milliseconds});
        calls << QStringLiteral("message");
    }

    // The user clicks the icon, or the balloon.
    void activate(Activation reason) { emit activated(reason); }
    void clickMessage() { emit messageClicked(); }
    // Chooses the menu entry with this text; false when there is none.
    bool choose(const QString& text) const {
        for (QAction* entry : menu) {
            if (entry->text() == text) {
                entry->trigger();
                return true;
            }
        }
        return false;
    }
    QStringList menuTexts() const {
        QStringList texts;
        for (const QAction* entry : menu) {
            texts << entry->text();
        }
        return texts;
    }

    QStringList calls;
    QIcon icon;
    QString toolTip;
    bool visible = false;
    QList<QAction*> menu;
    QList<Message> messages;
    bool trayAvailable = true;
};

// Notifications recorded as "summary|line 1|line 2".
class FakeNotifier final : public Notifier {
  public:
    void notify(const QString& summary, const QStringList& lines) override {
        shown.append(QStringList{summary} + lines);
    }
    // The user clicks the notification.
    void click() { emit activated(); }
    QList<QStringList> shown;
};

class FakeSound final : public Sound {
  public:
    void play(const QString& wavPath) override { played.append(wavPath); }
    QStringList played;
};

// A wake timer that the test fires by hand; it records the times it was set for.
class FakeWakeTimer final : public WakeTimer {
  public:
    void wakeAt(const QDateTime& when) override {
        next = when;
        times.append(when);
    }
    void cancel() override { next.reset(); }

    // The timer goes off: it is spent, and the program woken.
    void fire() {
        next.reset();
        emit woke();
    }
    // The clock reaches the time set, and the timer goes off.
    void fireOn(FixedClock& clock) {
        QVERIFY2(next, "the wake timer is not set");
        clock.set(*next);
        fire();
    }

    std::optional<QDateTime> next;
    QList<QDateTime> times;
};

class FixedChance final : public Chance {
  public:
    int oneToHundred() override { return value; }
    int value = 50;
};

}  // namespace almanis::test
