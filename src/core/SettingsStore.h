#pragma once

#include <QString>

namespace almanis {

// The per-user store of the options: text values by key, under application
// "Marrowind" and section "Almanis". Nothing ever deletes a key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString& key, const QString& defaultValue) const = 0;
    // Stores the value at once. When it cannot be written, throws AppError
    // saying why; the value still reads back for the rest of the run.
    virtual void save(const QString& key, const QString& value) = 0;
    // Where the options are kept, as the user would look for them.
    virtual QString location() const = 0;
};

}  // namespace almanis
