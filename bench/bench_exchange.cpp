// The text import, each line committed on its own, against the same rows in one
// transaction; and the export of a long list letting events run before each row.
#include "BenchUtil.h"
#include "exchange/EventText.h"
#include "reminders/EventListModel.h"
#include "store/Connection.h"
#include "store/Sql.h"
#include "widgets/Design.h"

#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace almanis;

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 3;

// The median of kRuns timings of `body`, in ms.
double medianMs(const std::function<void()>& body) {
    return bench::medianMs(kRuns, body);
}

// This process's processor time in ms: on a shared machine the wall time also
// holds the waits for the other programs.
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

QString freshStore(const QString& folder, int run) {
    const QString path = folder + QStringLiteral("/store-%1.mdb").arg(run);
    QFile::copy(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/dbBlank.mdb"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

QString writeEventFile(const QString& folder) {
    const QString path = folder + QStringLiteral("/events.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < kRows; ++i) {
        text += QStringLiteral("Event number %1's day,").arg(i).toUtf8() +
                monthNameFromNumber(i % 12 + 1).toUtf8() + ' ' + QByteArray::number(i % 28 + 1) +
                "\r\n";
    }
    f.write(text);
    return path;
}

// The physical reference: the same parsing and statements, one transaction.
void importInOneTransaction(const QString& file, Connection& db) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    EventLineReader reader(f);
    db.execute(QStringLiteral("begin"));
    QString line;
    while (reader.readLine(line)) {
        const EventLine event = parseEventLine(line);
        db.execute(sql::insertEvent(event.description, event.month, event.day));
    }
    db.execute(QStringLiteral("commit"));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString file = writeEventFile(folder.path());

    int run = 0;
    double cpu = cpuMs();
    const double ours = medianMs([&] {
        Connection db;
        db.open(freshStore(folder.path(), run++));
        importEvents(file, db);
    });
    const double oursCpu = (cpuMs() - cpu) / kRuns;
    cpu = cpuMs();
    const double reference = medianMs([&] {
        Connection db;
        db.open(freshStore(folder.path(), run++));
        importInOneTransaction(file, db);
    });
    const double referenceCpu = (cpuMs() - cpu) / kRuns;
    std::printf(
        "import of %d lines, one commit per line: %.0f ms, %.0f lines/s (goal >= 40000 lines/s) "
        "%s\n",
        kRows, ours, kRows / (ours / 1000.0), kRows / (ours / 1000.0) >= 40000 ? "ok" : "MISSED");
    std::printf(
        "  processor time: %.0f ms a run (%.0f lines/s); in one transaction %.0f ms a run\n",
        oursCpu, kRows / (oursCpu / 1000.0), referenceCpu);
    std::printf(
        "  the same rows in one transaction: %.0f ms; one commit per line takes %.2fx as long\n",
        reference, ours / reference);

    // The main window's list with its six columns, shown, so that the events let
    // through before each row include painting it.
    EventListModel list;
    list.setToday(QDate::currentDate());
    {
        QList<EventListModel::Row> rows;
        rows.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            rows.append({EventRecord{i + 1, QStringLiteral("Event number %1's day").arg(i),
                                     i % 12 + 1, i % 28 + 1}});
        }
        list.setRows(std::move(rows));
    }
    QTreeView* view = makeReportView(nullptr, list);
    view->resize(520, 160);
    view->show();
    QApplication::processEvents();
    const QString target = folder.path() + QStringLiteral("/export.txt");
    const double exportMs =
        medianMs([&] { exportEvents(target, list, [] { QCoreApplication::processEvents(); }); });
    const double bare = medianMs([&] { exportEvents(target, list, {}); });
    std::printf(
        "export of %d rows, events let through before each row: %.0f ms (goal < 1000 ms) %s\n",
        kRows, exportMs, exportMs < 1000 ? "ok" : "MISSED");
    std::printf("export of %d rows without letting events through: %.0f ms\n", kRows, bare);
    delete view;
    return 0;
}
