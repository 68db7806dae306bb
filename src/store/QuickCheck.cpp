#include "store/QuickCheck.h"

#include "store/Connection.h"
#include "store/Sql.h"
#include "store/SqliteError.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QStringList>

namespace almanis {

namespace {
bool isDamage(int code) {
    return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB;
}
}  // namespace

QString damageOf(const Connection& db) {
    sqlite3* handle = db.handle();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(handle, sql::quickCheck(), -1, &stmt, nullptr);
    QStringList findings;
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto* line = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            const QString finding = QString::fromUtf8(line ? line : "");
            if (finding != QLatin1String("ok")) {
                findings.append(finding);
            }
        }
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_OK) {
        if (!isDamage(rc)) {
            throwSqliteError(message, db.path());
        }
        findings.prepend(message);
    }
    if (findings.size() == 2) {
        //: %1 is what SQLite's check found first, in SQLite's words.
        return QCoreApplication::translate("almanis::QuickCheck", "%1 (and 1 more finding)")
            .arg(findings.first());
    }
    if (findings.size() > 2) {
        return QCoreApplication::translate("almanis::QuickCheck", "%1 (and %2 more findings)")
            .arg(findings.first())
            .arg(findings.size() - 1);
    }
    return findings.value(0);
}

}  // namespace almanis
