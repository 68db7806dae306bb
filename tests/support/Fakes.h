#pragma once

#include "core/Clock.h"
#include "core/SettingsStore.h"
#include "desktop/TrayShell.h"
#include "reminders/Sound.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace almanis::test {

class MemorySettingsStore final : public SettingsStore {
public:
    QString get(const QString& key, const QString& defaultValue) const override {
        return values.value(key, defaultValue);
    }
    void save(const QString& key, const QString& value) override {
        values.insert(key, value);
        writes.append(key + QLatin1Char('=') + value);
    }
    QMap<QString, QString> values;
    QStringList writes;
};

// A tray that records every call with its record.
class FakeTrayShell final : public TrayShell {
public:
    struct Call {
        QString operation;  // "add", "modify" or "delete"
        NotifyIconData data;
    };
    void add(const NotifyIconData& data) override { calls.append({QStringLiteral("add"), data}); }
    void modify(const NotifyIconData& data) override { calls.append({QStringLiteral("modify"), data}); }
    void remove(const NotifyIconData& data) override { calls.append({QStringLiteral("delete"), data}); }
    bool available() const override { return trayAvailable; }

    // What the desktop sends when the user works the icon.
    void send(quint32 message) {
        if (onMessage) {
            onMessage(message, 0);
        }
    }

    QList<Call> calls;
    bool trayAvailable = true;
};

class FakeSound final : public Sound {
public:
    void play(const QString& wavPath) override { played.append(wavPath); }
    QStringList played;
};

class FixedChance final : public Chance {
public:
    int oneToHundred() override { return value; }
    int value = 50;
};

}  // namespace almanis::test
