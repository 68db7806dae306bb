#pragma once

#include "app/SettingsStore.h"

#include <QSettings>

namespace almanis {

// The options in the user's configuration folder: Marrowind/Almanis.conf.
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    QString get(const QString& key, const QString& defaultValue) const override;
    void save(const QString& key, const QString& value) override;

private:
    QSettings settings_;
};

}  // namespace almanis
