#pragma once

#include <QString>

namespace almanis {

class Ui;

// Starting the program at log-on: an entry for the running program in the
// user's autostart folder.
class modStartUp {
  public:
    // `executablePath` is the running program; `hive` the folder that holds the
    // autostart folder, by default the user's configuration folder.
    modStartUp(Ui& ui, QString executablePath, QString hive = defaultHive());

    // Registers the running program.
    void AddToStartup();
    // Removes the registration.
    void RemoveFromStartup();

    // Writes the entry named `fileName` for that file in the program's folder.
    void AddRunEntry(const QString& fileName);
    // Deletes the entry named `fileName`.
    void RemoveRunEntry(const QString& fileName);

    // $XDG_CONFIG_HOME, by default ~/.config, as it is now.
    static QString defaultHive();
    // The folder whose entries the session starts.
    QString autostartFolder() const;

  private:
    QString programFileName() const;
    QString programFolder() const;

    Ui& ui_;
    QString executablePath_;
    QString hive_;
};

}  // namespace almanis
