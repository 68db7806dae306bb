#pragma once

#include <QString>

namespace almanis {

inline constexpr char kWorkingStore[] = "/dbData.mdb";
inline constexpr char kEventsSeed[] = "/dbEvents.mdb";
inline constexpr char kBlankSeed[] = "/dbBlank.mdb";

// Creates the folder when it does not exist; throws AppError when it can't.
void createFolder(const QString& path);

// When the data folder has no working store, copies the events seed from the
// program folder, or the blank seed when there is none. An existing working
// store is never replaced. Throws AppError when the copy fails.
void copySeedIfMissing(const QString& programFolder, const QString& dataFolder);

}  // namespace almanis
