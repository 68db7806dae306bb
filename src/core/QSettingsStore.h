#pragma once

#include "core/SettingsStore.h"

#include <QSettings>

namespace almanis {

// The options in the user's configuration folder, Marrowind/Almanis.conf
// ($XDG_CONFIG_HOME, by default ~/.config).
class QSettingsStore final : public SettingsStore {
  public:
    QSettingsStore();
    // The store in a file of the caller's choosing.
    explicit QSettingsStore(const QString& filePath);

    QString get(const QString& key, const QString& defaultValue) const override;
    void save(const QString& key, const QString& value) override;
    QString location() const override;

    // The file behind the store.
    QString fileName() const { return settings_.fileName(); }
    // False when the file could not be read or was not in the expected format;
    // the store then reads as all defaults.
    bool readable() const { return !discardFile_; }

    // Where the program keeps its options for the current user.
    static QString defaultFilePath();

  private:
    QSettings settings_;
    bool discardFile_ = false;
};

}  // namespace almanis
