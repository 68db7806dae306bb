#pragma once

#include <QString>

namespace almanis {

// The folder that holds the data of the user's programs ($XDG_DATA_HOME, by
// default ~/.local/share), as it is now; empty text when there is none.
QString applicationDataFolder();

// True when the path names something that exists; never fails.
bool fileExists(const QString& path);

// The maker's folder and the data folder that holds "dbData.mdb". Both throw
// AppError when the application data folder cannot be resolved, rather than
// falling back to the root of the file system.
QString makerFolder();
QString dataFolder();

}  // namespace almanis
