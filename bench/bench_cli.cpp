// almanis-cli against a calendar tool of the field on the same 10,000 events:
// `almanis-cli due --days 30` beside `calendar -A 30`, each a whole process as a
// shell prompt or a status bar would run it; and the import of 10,000 vCard
// birthdays into a fresh store.
#include "BenchUtil.h"
#include "EventStoreFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

using namespace almanis;

namespace {
constexpr int kEvents = 10000;
constexpr int kRuns = 15;

bench::EventRow eventRow(int i) {
    return {QStringLiteral("Birthday of friend number %1").arg(i), i % 12 + 1, (i * 7) % 28 + 1};
}

// The same events as a calendar file: "MM/DD<TAB>description" a line.
void writeCalendarFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < kEvents; ++i) {
        const bench::EventRow row = eventRow(i);
        text += QStringLiteral("%1/%2\t%3\n")
                    .arg(row.month, 2, 10, QLatin1Char('0'))
                    .arg(row.day, 2, 10, QLatin1Char('0'))
                    .arg(row.description)
                    .toUtf8();
    }
    file.write(text);
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
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    bench::useHome(folder.path());
    const QString cli = QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/almanis-cli");
    const QString store = folder.path() + QStringLiteral("/events.mdb");
    bench::writeEventStore(store, kEvents, [](int i) { return eventRow(i); });
    const QString calendarFile = folder.path() + QStringLiteral("/calendar");
    writeCalendarFile(calendarFile);

    bool ok = true;
    const double ours = bench::medianMs(kRuns, [&] {
        ok = run(cli, {QStringLiteral("--store"), store, QStringLiteral("due"),
                       QStringLiteral("--days"), QStringLiteral("30")}) &&
             ok;
    });
    const QString calendar = QStandardPaths::findExecutable(QStringLiteral("calendar"));
    if (calendar.isEmpty()) {
        std::printf(
            "almanis-cli due --days 30, %d events: %.1f ms (calendar is not installed: "
            "tools/install-deps --bench)\n",
            kEvents, ours);
    } else {
        const double theirs = bench::medianMs(kRuns, [&] {
            run(calendar,
                {QStringLiteral("-f"), calendarFile, QStringLiteral("-A"), QStringLiteral("30")});
        });
        bench::report("almanis-cli due --days 30 vs calendar -A 30", ours, theirs, 1.0);
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
