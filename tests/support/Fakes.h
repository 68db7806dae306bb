#pragma once

#include "core/AppError.h"
#include "core/Chance.h"
#include "core/Clock.h"
#include "core/SettingsStore.h"
#include "core/WakeTimer.h"
#include "desktop/Notifier.h"
#include "desktop/TrayShell.h"
#include "reminders/PollTimer.h"
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

// Notifications recorded as "summary|line 1|line 2", with their buttons.
class FakeNotifier final : public Notifier {
  public:
    void notify(const Notification& notification) override {
        shown.append(QStringList{notification.summary} + notification.lines);
        actions.append(notification.actions);
        showing = true;
    }
    void withdraw() override {
        ++withdrawn;
        showing = false;
    }
    // The user clicks the notification, or one of its buttons.
    void click(const QString& token = QString()) { emit activated(token); }
    void invoke(const QString& key, const QString& token = QString()) {
        emit actionInvoked(key, token);
    }
    QList<QStringList> shown;
    QList<QList<Notification::Action>> actions;
    int withdrawn = 0;
    // A notification is shown and not withdrawn.
    bool showing = false;
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

// The polling timer on a clock of the test's own: time passes only when the
// test lets it, and the timer wakes (ticked) on the way when it is due.
class FakePollTimer final : public PollTimer {
  public:
    // `ticks` of the timer's interval pass, a second each while it is stopped.
    void pass(int ticks) {
        const qint64 until = now_ + qint64(ticks) * (interval() > 0 ? interval() : 1000);
        while (deadline_ && *deadline_ <= until) {
            now_ = std::max(now_, *std::exchange(deadline_, std::nullopt));
            wake();
        }
        // Time passed inside a wake-up (an alarm open meanwhile) stays passed.
        now_ = std::max(now_, until);
    }
    // The wake-ups the timer has slept towards so far.
    int sleeps = 0;

  protected:
    qint64 monotonicMs() const override { return now_; }
    void sleepUntil(qint64 ms) override {
        deadline_ = ms;
        ++sleeps;
    }
    void stopSleeping() override { deadline_.reset(); }

  private:
    qint64 now_ = 0;
    std::optional<qint64> deadline_;
};

class FixedChance final : public Chance {
  public:
    int oneToHundred() override { return value; }
    int value = 50;
};

}  // namespace almanis::test
