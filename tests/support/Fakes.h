#pragma once

#include "core/AppError.h"
#include "core/Chance.h"
#include "core/Clock.h"
#include "core/SettingsStore.h"
#include "core/WakeTimer.h"
#include "desktop/Notifier.h"
#include "desktop/TrayShell.h"
#include "reminders/Sound.h"

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

// A tray that records every call with its record.
class FakeTrayShell final : public TrayShell {
  public:
    struct Call {
        QString operation;  // "add", "modify" or "delete"
        TrayRequest request;
    };
    void add(const TrayRequest& request) override {
        calls.append({QStringLiteral("add"), request});
    }
    void modify(const TrayRequest& request) override {
        calls.append({QStringLiteral("modify"), request});
    }
    void remove(const TrayRequest& request) override {
        calls.append({QStringLiteral("delete"), request});
    }
    bool available() const override { return trayAvailable; }

    // What the desktop reports when the user works the icon.
    void send(TrayEvent event) {
        if (onEvent) {
            onEvent(event, 0);
        }
    }

    void setMenu(const QList<TrayMenuEntry>& entries) override { menu = entries; }

    // Chooses the menu entry with this text; false when there is none.
    bool choose(const QString& text) const {
        for (const TrayMenuEntry& entry : menu) {
            if (entry.text == text) {
                entry.triggered();
                return true;
            }
        }
        return false;
    }

    QList<Call> calls;
    QList<TrayMenuEntry> menu;
    bool trayAvailable = true;
};

// Notifications recorded as "summary|line 1|line 2".
class FakeNotifier final : public Notifier {
  public:
    void notify(const QString& summary, const QStringList& lines) override {
        shown.append(QStringList{summary} + lines);
    }
    // What the user does when clicking the notification.
    void click() const {
        if (onActivated) {
            onActivated();
        }
    }
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
