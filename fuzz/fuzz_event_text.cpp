// Feeds arbitrary files to the event text reader, the line parser and the
// importer (into a real store), and checks what they promise:
// - every line the parser accepts is a real date and reads back the same when
//   written the way export writes it;
// - the importer stores every line of a file without a bad line and nothing of
//   any other, and its report names the first bad line.
#include "core/AppError.h"
#include "core/EventDate.h"
#include "exchange/EventText.h"
#include "store/Connection.h"
#include "store/ResultSet.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace almanis;

// Undefined behaviour stops the run like any other finding.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

namespace {

struct Store {
    QTemporaryDir folder;
    QString file;
    Connection db;
};
Store* store = nullptr;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int storedRows() {
    ResultSet rs;
    rs.open("select count(*) as n from tblEvent", store->db);
    return wholeNumber(rs.field("n"));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    store = new Store;
    const QString path = store->folder.path() + QStringLiteral("/dbData.mdb");
    store->file = store->folder.path() + QStringLiteral("/events.txt");
    QFile::copy(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/dbBlank.mdb"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    store->db.open(path);
    // A throwaway store: no syncs, so the fuzzer spends its time on the import.
    store->db.execute(QStringLiteral("PRAGMA synchronous=OFF"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // What the parser makes of each line, and the first one it refuses.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    EventLineReader reader(buffer);
    int lines = 0;  // the lines that give events: empty ones are passed over
    qint64 firstBad = 0;
    QString line;
    while (reader.readLine(line)) {
        check(quotedLine(line).size() <= 85);
        check(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
        check(line.size() <= EventLineReader::kLongestLine);
        if (line.trimmed().isEmpty() && !reader.cut()) {
            continue;
        }
        ++lines;
        if (reader.cut()) {
            firstBad = firstBad == 0 ? reader.lineNumber() : firstBad;
            continue;
        }
        try {
            const EventLine event = parseEventLine(line);
            check(isValidEventDate(event.month, event.day));
            check(!event.description.contains(QChar(0)));
            check(event.description == event.description.trimmed());
            const EventLine again = parseEventLine(
                formatEventLine(EventRecord{0, event.description, event.month, event.day}));
            check(again.description == event.description && again.month == event.month &&
                  again.day == event.day);
        } catch (const AppError& e) {
            check(!e.description().isEmpty());
            if (firstBad == 0) {
                firstBad = reader.lineNumber();
            }
        }
    }

    // The importer, on the same bytes as a file.
    {
        QFile file(store->file);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(bytes) == bytes.size());
    }
    store->db.execute(QStringLiteral("delete from tblEvent"));
    bool failed = false;
    try {
        // Lines that repeat one another are counted, not stored twice.
        const ImportCount count = importEvents(store->file, store->db);
        check(count.imported + count.alreadyPresent == lines);
        check(storedRows() == count.imported);
    } catch (const AppError& e) {
        failed = true;
        check(e.description().startsWith(QStringLiteral("Line %1 ").arg(firstBad)));
    }
    check(failed == (firstBad > 0));
    check(!failed || storedRows() == 0);
    return 0;
}
