// almanis-cli against calendar tools of the field on the same events, each a
// whole process as a shell prompt or a status bar would run it:
// `almanis-cli due --days 30` beside `remind -q -t30` over a reminders file of
// one REM line per event, at 10,000 and 100,000 events, and beside
// `calendar -A 30` at 10,000; the two programs of a pair run in turns, so that
// both see the same load of a shared machine. Then the import of 10,000 vCard
// birthdays into a fresh store.
#include "BenchUtil.h"
#include "EventStoreFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

using namespace almanis;

namespace {
constexpr int kEvents = 10000;
constexpr int kRuns = 15;

bench::EventRow eventRow(int i) {
    return {QStringLiteral("Birthday of friend number %1").arg(i), i % 12 + 1, (i * 7) % 28 + 1};
}

// The same events as a file of another program, a line each.
void writeLines(const QString& path, int events, const std::function<QString(int)>& lineOf) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < events; ++i) {
        text += lineOf(i).toUtf8();
    }
    file.write(text);
}

// A calendar file: "MM/DD<TAB>description" a line.
QString calendarLine(int i) {
    const bench::EventRow row = eventRow(i);
    return QStringLiteral("%1/%2\t%3\n")
        .arg(row.month, 2, 10, QLatin1Char('0'))
        .arg(row.day, 2, 10, QLatin1Char('0'))
        .arg(row.description);
}

// A reminders file: "REM Mon DD MSG description" a line.
QString reminderLine(int i) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const bench::EventRow row = eventRow(i);
    return QStringLiteral("REM %1 %2 MSG %3\n")
        .arg(QLatin1String(months[row.month - 1]))
        .arg(row.day)
        .arg(row.description);
}

void writeVCards(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < kEvents; ++i) {
        const bench::EventRow row = eventRow(i);
        text += QStringLiteral(
                    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Friend number %1\r\n"
                    "N:number %1;Friend;;;\r\nBDAY:19%2-%3-%4\r\nEND:VCARD\r\n")
                    .arg(i)
                    .arg(50 + i % 50)
                    .arg(row.month, 2, 10, QLatin1Char('0'))
                    .arg(row.day, 2, 10, QLatin1Char('0'))
                    .toUtf8();
    }
    file.write(text);
}

// One run of a program to its end; false when it did not end well.
bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The medians of kRuns runs of each program, run in turns.
std::pair<double, double> pairedMs(const std::function<void()>& ours,
                                   const std::function<void()>& theirs) {
    std::vector<double> oursMs;
    std::vector<double> theirsMs;
    for (int i = 0; i < kRuns; ++i) {
        oursMs.push_back(bench::medianMs(1, ours));
        theirsMs.push_back(bench::medianMs(1, theirs));
    }
    return {bench::median(oursMs), bench::median(theirsMs)};
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    bench::useHome(folder.path());
    const QString cli = QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/almanis-cli");
    bool ok = true;
    const auto due = [&](const QString& store) {
        ok = run(cli, {QStringLiteral("--store"), store, QStringLiteral("due"),
                       QStringLiteral("--days"), QStringLiteral("30")}) &&
             ok;
    };

    const QString remind = QStandardPaths::findExecutable(QStringLiteral("remind"));
    const QString calendar = QStandardPaths::findExecutable(QStringLiteral("calendar"));
    if (remind.isEmpty() || calendar.isEmpty()) {
        std::printf("remind or calendar is not installed: tools/install-deps --bench\n");
    }
    for (const auto& [events, goal] : {std::pair{kEvents, 1.5}, std::pair{10 * kEvents, 1.0}}) {
        const QString store = folder.path() + QStringLiteral("/events-%1.mdb").arg(events);
        bench::writeEventStore(store, events, [](int i) { return eventRow(i); });
        const QString reminders = folder.path() + QStringLiteral("/reminders-%1.rem").arg(events);
        writeLines(reminders, events, reminderLine);
        char what[80];
        if (!remind.isEmpty()) {
            const auto [ours, theirs] =
                pairedMs([&] { due(store); },
                         [&] {
                             run(remind, {QStringLiteral("-q"), QStringLiteral("-t30"), reminders});
                         });
            std::snprintf(what, sizeof what, "due --days 30 vs remind -q -t30, %d events", events);
            bench::report(what, ours, theirs, goal);
        }
        if (!calendar.isEmpty() && events == kEvents) {
            const QString calendarFile = folder.path() + QStringLiteral("/calendar");
            writeLines(calendarFile, events, calendarLine);
            const auto [ours, theirs] =
                pairedMs([&] { due(store); },
                         [&] {
                             run(calendar, {QStringLiteral("-f"), calendarFile,
                                            QStringLiteral("-A"), QStringLiteral("30")});
                         });
            std::snprintf(what, sizeof what, "due --days 30 vs calendar -A 30, %d events", events);
            bench::report(what, ours, theirs, 1.0);
        }
    }
    const QString cards = folder.path() + QStringLiteral("/contacts.vcf");
    writeVCards(cards);
    int fresh = 0;
    const double import = bench::medianMs(5, [&] {
        const QString target = folder.path() + QStringLiteral("/import-%1.mdb").arg(fresh++);
        QFile::copy(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/dbBlank.mdb"), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        ok = run(cli, {QStringLiteral("--store"), target, QStringLiteral("import"), cards}) && ok;
    });
    std::printf("almanis-cli import of %d vCard birthdays: %.0f ms (goal < 1000 ms) %s\n", kEvents,
                import, import < 1000 ? "ok" : "MISSED");
    if (!ok) {
        std::printf("almanis-cli failed in a run\n");
        return 1;
    }
    return 0;
}
