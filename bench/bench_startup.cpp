// Start-up at any size: the real program (startup_almanis) from the start of
// its process to its list filled, the first activation's work done, and on to
// idle, with 11 (the seed), 1,000, 10,000 and 100,000 events, beside the floor
// (startup_floor: a process without Qt that only reads the same store and
// counts the days left) and, with the seed, a minimal Qt Widgets program
// (startup_minimal) to its first activation. Every size has a fresh home
// folder whose store the first start copies from the seed; the runs go in
// turns, every size and the floor once a round, so that all of them see the
// same load of a shared machine. Each child's peak resident size comes from
// wait4().
#include "BenchUtil.h"
#include "EventStoreFile.h"
#include "StartMoments.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

using namespace almanis;

namespace {

constexpr int kRounds = 11;
constexpr int kSeedEvents = 11;
constexpr long long kTimeoutNs = 120LL * 1000000000LL;

// What one run of a child told, in ms from the moment before it was started.
struct Run {
    double filledMs = -1;
    double idleMs = -1;
    double peakMb = 0;
    long long rows = -1;
    // Modal dialogs (an alarm, an error report) that opened and were answered.
    long long dialogs = 0;
};

[[noreturn]] void fail(const QString& why) {
    std::printf("%s\n", qPrintable(why));
    std::exit(1);
}

// Runs `program` to its end under `environment`, its standard output into
// `output`, and reads back what it told.
Run runChild(const QString& program, const QStringList& arguments, const QStringList& environment,
             const QString& output) {
    std::vector<QByteArray> argumentBytes{program.toLocal8Bit()};
    for (const QString& argument : arguments) {
        argumentBytes.push_back(argument.toLocal8Bit());
    }
    std::vector<QByteArray> environmentBytes;
    for (const QString& variable : environment) {
        environmentBytes.push_back(variable.toLocal8Bit());
    }
    const auto pointers = [](std::vector<QByteArray>& bytes) {
        std::vector<char*> list;
        for (QByteArray& b : bytes) {
            list.push_back(b.data());
        }
        list.push_back(nullptr);
        return list;
    };
    std::vector<char*> argv = pointers(argumentBytes);
    std::vector<char*> envp = pointers(environmentBytes);
    const QByteArray outputPath = output.toLocal8Bit();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const long long start = bench::monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        fail(QStringLiteral("%1 could not be started").arg(program));
    }
    // Polled, so that a child that hangs ends the benchmark instead of
    // stalling it; the times come from the child itself.
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (bench::monotonicNs() - start > kTimeoutNs) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            fail(QStringLiteral("%1 did not end in time").arg(program));
        }
        usleep(2000);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fail(QStringLiteral("%1 did not finish cleanly").arg(program));
    }

    Run run;
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    QFile told(output);
    told.open(QIODevice::ReadOnly);
    const auto sinceStart = [start](long long ns) { return static_cast<double>(ns - start) / 1e6; };
    for (const QByteArray& line : told.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 2) {
            continue;
        }
        const long long value = parts[1].toLongLong();
        if (parts[0] == "filled") {
            run.filledMs = sinceStart(value);
        } else if (parts[0] == "idle") {
            run.idleMs = sinceStart(value);
        } else if (parts[0] == "rows") {
            run.rows = value;
        } else if (parts[0] == "dialogs") {
            run.dialogs = value;
        }
    }
    return run;
}

// One size: a home folder of its own, with the store the program copied from
// the seed and filled up with generated events.
struct Size {
    int events = 0;
    std::unique_ptr<QTemporaryDir> home;
    QStringList environment;
    QString store;
    std::vector<double> filled;
    std::vector<double> idle;
    std::vector<double> floor;
    std::vector<double> peakMb;
    std::vector<double> floorPeakMb;
};

QStringList environmentFor(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env.toStringList();
}

// Moves the seed's events that would be due today or tomorrow two days on,
// so that no alarm opens in a measured start.
int quietenSeed(const QString& store, QDate today) {
    sqlite3* db = nullptr;
    sqlite3_open(store.toUtf8().constData(), &db);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db,
                       "UPDATE tblEvent SET EventMonth = ?1, EventDay = ?2 "
                       "WHERE EventMonth = ?3 AND EventDay = ?4",
                       -1, &update, nullptr);
    const QDate later = today.addDays(2);
    int moved = 0;
    for (const QDate day : {today, today.addDays(1)}) {
        sqlite3_bind_int(update, 1, later.month());
        sqlite3_bind_int(update, 2, later.day());
        sqlite3_bind_int(update, 3, day.month());
        sqlite3_bind_int(update, 4, day.day());
        sqlite3_step(update);
        sqlite3_reset(update);
        moved += sqlite3_changes(db);
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
    return moved;
}

void prepare(Size& size, const QString& almanis, QDate today) {
    size.home = std::make_unique<QTemporaryDir>();
    size.environment = environmentFor(size.home->path());
    size.store = size.home->path() + QStringLiteral("/data/Marrowind/Almanis/dbData.mdb");
    runChild(almanis, {}, size.environment, size.home->path() + QStringLiteral("/first.out"));
    const int seeded = bench::eventCount(size.store);
    if (seeded != kSeedEvents) {
        fail(QStringLiteral("the first start left %1 events in %2, not the seed's %3")
                 .arg(seeded)
                 .arg(size.store)
                 .arg(kSeedEvents));
    }
    if (const int moved = quietenSeed(size.store, today); moved > 0 && size.events == kSeedEvents) {
        std::printf(
            "(%d seed event(s) due today or tomorrow moved two days on, so no alarm opens)\n",
            moved);
    }
    bench::addEvents(size.store, size.events - seeded,
                     [today](int i) { return bench::quietEventRow(i, today); });
}

void check(const Run& run, const Size& size, const char* what) {
    if (run.dialogs > 0) {
        fail(QStringLiteral("an alarm or an error report opened in the %1 with %2 events")
                 .arg(what)
                 .arg(size.events));
    }
    if (run.filledMs < 0 || run.rows != size.events) {
        fail(QStringLiteral("the %1 with %2 events listed %3 rows")
                 .arg(what)
                 .arg(size.events)
                 .arg(run.rows));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    const QString almanis = folder + QStringLiteral("/startup_almanis");
    const QString floorProgram = folder + QStringLiteral("/startup_floor");
    const QString minimal = folder + QStringLiteral("/startup_minimal");
    // The program reads the system clock; the generated events avoid its today.
    const QDate today = QDate::currentDate();

    std::vector<Size> sizes;
    for (const int events : {kSeedEvents, 1000, 10000, 100000}) {
        Size& size = sizes.emplace_back();
        size.events = events;
        prepare(size, almanis, today);
    }
    std::vector<double> minimalMs;
    for (int round = 0; round < kRounds; ++round) {
        for (Size& size : sizes) {
            const QString output = size.home->path() + QStringLiteral("/run.out");
            const Run ours = runChild(almanis, {}, size.environment, output);
            check(ours, size, "start");
            if (ours.idleMs < 0) {
                fail(QStringLiteral("the start with %1 events never fell idle").arg(size.events));
            }
            const Run bare = runChild(floorProgram, {size.store}, size.environment, output);
            check(bare, size, "bare read");
            size.filled.push_back(ours.filledMs);
            size.idle.push_back(ours.idleMs);
            size.peakMb.push_back(ours.peakMb);
            size.floor.push_back(bare.filledMs);
            size.floorPeakMb.push_back(bare.peakMb);
            if (size.events == kSeedEvents) {
                const Run least = runChild(minimal, {}, size.environment, output);
                if (least.filledMs < 0) {
                    fail(QStringLiteral("the minimal Qt program told no activation"));
                }
                minimalMs.push_back(least.filledMs);
            }
        }
    }

    std::printf(
        "Start-up of the real program (platform offscreen, system clock) against the bare read "
        "of its store, median of %d rounds\n",
        kRounds);
    std::map<int, double> filled;
    std::map<int, double> idle;
    std::map<int, double> peakMb;
    for (const Size& size : sizes) {
        filled[size.events] = bench::median(size.filled);
        idle[size.events] = bench::median(size.idle);
        peakMb[size.events] = bench::median(size.peakMb);
        const double floorMs = bench::median(size.floor);
        const QByteArray events = QByteArray::number(size.events) + " events";
        bench::report(("start to filled list, " + events).constData(), filled[size.events], floorMs,
                      0);
        bench::report(("start to idle, " + events).constData(), idle[size.events], floorMs, 0);
        bench::report(("peak RSS, " + events).constData(), peakMb[size.events],
                      bench::median(size.floorPeakMb), 0, "MB");
    }
    std::printf("Growth with the number of events, against the seed's %d\n", kSeedEvents);
    const std::map<int, double> goals{{1000, 0}, {10000, 1.2}, {100000, 3.0}};
    for (const auto& [events, goal] : goals) {
        const QByteArray against = QByteArray::number(events) + " vs 11 events";
        bench::report(("start to filled list, " + against).constData(), filled[events],
                      filled[kSeedEvents], goal);
        bench::report(("start to idle, " + against).constData(), idle[events], idle[kSeedEvents],
                      goal);
    }
    bench::report("peak RSS, 100000 vs 11 events", peakMb[100000], peakMb[kSeedEvents], 1.4, "MB");
    std::printf("Against the smallest Qt Widgets program\n");
    bench::report("start to first activation vs minimal Qt program", filled[kSeedEvents],
                  bench::median(minimalMs), 1.3);
    return 0;
}
