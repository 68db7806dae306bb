#pragma once

#include "desktop/AutostartFolder.h"

#include <QString>

namespace almanis {

class Ui;

// Starting the program at log-on: an entry for the running program in the
// user's autostart folder. A failure is told to the user, who would otherwise
// wait in vain for the program at the next log-on.
class LogonStartup {
  public:
    // `executablePath` is the running program; `configFolder` the folder that
    // holds the autostart folder, by default the user's configuration folder.
    LogonStartup(Ui& ui, QString executablePath, const QString& configFolder = userConfigFolder());

    // Registers the running program.
    void enable();
    // Removes the registration.
    void disable();

    // $XDG_CONFIG_HOME, by default ~/.config, as it is now.
    static QString userConfigFolder();
    // The folder whose entries the session starts.
    QString autostartFolder() const { return folder_.path(); }

  private:
    QString entryName() const;

    Ui& ui_;
    QString executablePath_;
    AutostartFolder folder_;
};

}  // namespace almanis
