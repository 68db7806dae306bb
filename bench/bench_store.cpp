// Reading the event table through the program's result-set layer against a bare
// sqlite3_step loop over the same query doing the same conversions.
#include "BenchUtil.h"
#include "EventStoreFile.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QTemporaryDir>

using namespace almanis;

namespace {

QString makeStore(const QString& folder, int rows) {
    const QString path = folder + QStringLiteral("/bench-%1.mdb").arg(rows);
    bench::writeEventStore(path, rows, [](int i) {
        return std::optional<bench::EventRow>(
            {QStringLiteral("Event number %1's day").arg(i), i % 12 + 1, i % 28 + 1});
    });
    return path;
}

qint64 readOurs(const Connection& db) {
    qint64 sum = 0;
    ResultSet rs;
    rs.open(sql::selectEvents(), db);
    while (!rs.eof()) {
        sum += wholeNumber(rs.field("id")) + wholeNumber(rs.field("EventMonth")) +
               wholeNumber(rs.field("EventDay")) + rs.field("Description").toString().size();
        rs.moveNext();
    }
    rs.close();
    return sum;
}

qint64 readRaw(sqlite3* db) {
    qint64 sum = 0;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select * from tblEvent order by EventMonth,EventDay", -1, &stmt,
                       nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        sum += sqlite3_column_int(stmt, 0) + sqlite3_column_int(stmt, 2) +
               sqlite3_column_int(stmt, 3) +
               QString::fromUtf8(text, sqlite3_column_bytes(stmt, 1)).size();
    }
    sqlite3_finalize(stmt);
    return sum;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    std::printf(
        "Store read: the result-set layer against a bare sqlite3_step loop (median of 9)\n");
    for (int rows : {1000, 10000, 100000}) {
        const QString path = makeStore(folder.path(), rows);
        Connection ours;
        ours.open(path);
        sqlite3* raw = nullptr;
        sqlite3_open(path.toUtf8().constData(), &raw);
        qint64 a = 0;
        qint64 b = 0;
        readOurs(ours);
        readRaw(raw);
        const double oursMs = bench::medianMs(9, [&] { a = readOurs(ours); });
        const double rawMs = bench::medianMs(9, [&] { b = readRaw(raw); });
        if (a != b) {
            std::printf("results differ: %lld vs %lld\n", static_cast<long long>(a),
                        static_cast<long long>(b));
            return 1;
        }
        char label[64];
        std::snprintf(label, sizeof label, "read %d rows", rows);
        bench::report(label, oursMs, rawMs, 1.5);
        sqlite3_close(raw);
    }
    return 0;
}
