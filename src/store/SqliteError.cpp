#include "store/SqliteError.h"

#include <QFileInfo>

namespace almanis {

void throwSqliteError(const QString& message, const QString& path) {
    if (path.isEmpty()) {
        throw AppError(message);
    }
    throw AppError(QStringLiteral("%1 (%2)").arg(message, QFileInfo(path).fileName()));
}

}  // namespace almanis
