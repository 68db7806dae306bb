#pragma once

#include <QString>

namespace almanis {

// The per-user store of the options: text values by key, under application
// "Marrowind" and section "Almanis". Nothing ever deletes a key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString& key, const QString& defaultValue) const = 0;
    virtual void save(const QString& key, const QString& value) = 0;
};

}  // namespace almanis
