#pragma once

#include <QString>

namespace almanis {

// The shell identifier of the shared application data folder, the only one the
// program asks for. Here it stands for the user's XDG data folder.
inline constexpr int kCommonAppData = 35;

// The folder of a special-folder identifier, or empty text for an identifier
// that has no folder here.
QString GetSpecialFolder(int id);

// True when the path names something that exists; never fails.
bool FileExists(const QString& path);

// The maker's folder and the data folder that holds "dbData.mdb". Both throw
// AppError when the special folder cannot be resolved, rather than falling
// back to the root of the file system.
QString makerFolder();
QString dataFolder();

}  // namespace almanis
