// The reminder engine against a plain read of the same rows through the store
// layer: the list rebuild, the due check with nothing due, the start of a day
// that catches up a month, and the polling timer's idle tick; and how often a
// snoozed program wakes.
#include "BenchUtil.h"
#include "EventStoreFile.h"
#include "core/Clock.h"
#include "core/EventDate.h"
#include "core/SettingsStore.h"
#include "core/Ui.h"
#include "core/WakeTimer.h"
#include "reminders/DueCheck.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/RememberedDay.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <sqlite3.h>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace almanis;

namespace {

const QDate kToday(2026, 6, 15);
const RemindWindows kAllWindows{true, true, true, true, true};

class CountingUi final : public Ui {
  public:
    void errorReport(const QString& text) override {
        ++errors;
        std::fprintf(stderr, "error report: %s\n", qPrintable(text));
    }
    void inform(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QStringList openFileNames(const FileDialogOptions&) override { return {}; }
    SaveChoice saveFileName(const FileDialogOptions&) override { return {}; }
    void openUrl(const QString&) override {}
    void showModal(QDialog&, QWidget*) override { ++alarms; }
    void bringForward(QWidget&, const QString&) override {}
    int errors = 0;
    int alarms = 0;
};

class Host final : public ReminderHost {
  public:
    RemindWindows remindWindows() const override { return kAllWindows; }
    bool startingUp() const override { return false; }
    AlarmAnswer showAlarm(const Alarm&) override {
        ++shown;
        return {};
    }
    int shown = 0;
};

class NoWakeTimer final : public WakeTimer {
  public:
    void wakeAt(const QDateTime&) override {}
    void cancel() override {}
};

class MemorySettings final : public SettingsStore {
  public:
    QString get(const QString& key, const QString& defaultValue) const override {
        return values.value(key, defaultValue);
    }
    void save(const QString& key, const QString& value) override { values.insert(key, value); }
    QString location() const override { return QStringLiteral("memory"); }
    QHash<QString, QString> values;
};

// A store of `rows` events spread over the year, none of them due today under
// any remind window.
QString makeStore(const QString& folder, int rows) {
    const QString path = folder + QStringLiteral("/events-%1.mdb").arg(rows);
    // None of the rows is due, so the due check reads the whole table.
    bench::writeEventStore(path, rows, [](int i) -> std::optional<bench::EventRow> {
        const int month = i % 12 + 1;
        const int day = (i * 7) % 31 + 1;
        if (kAllWindows.isDue(daysLeft(month, day, kToday))) {
            return std::nullopt;
        }
        return bench::EventRow{QStringLiteral("Birthday of friend number %1").arg(i), month, day};
    });
    return path;
}

// Every column of every row, read the way the program reads them.
qint64 rawRead(const Connection& db) {
    qint64 sum = 0;
    ResultSet rs;
    rs.open(sql::selectEvents(), db);
    while (!rs.eof()) {
        sum += rs.field("id").toString().size() + rs.field("Description").toString().size() +
               wholeNumber(rs.field("EventMonth")) + wholeNumber(rs.field("EventDay"));
        rs.moveNext();
    }
    rs.close();
    return sum;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The processor time the benchmark's own thread spent, so that other work on
// the machine weighs less on the figures.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double elapsedMs(const std::function<void()>& body) {
    const double start = threadMs();
    body();
    return threadMs() - start;
}

// Median times of `ours` and `raw`, run in turns so that both see the same
// machine load.
std::pair<double, double> medianPair(int runs, const std::function<void()>& ours,
                                     const std::function<void()>& raw) {
    std::vector<double> a;
    std::vector<double> b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(elapsedMs(ours));
        b.push_back(elapsedMs(raw));
    }
    return {median(a), median(b)};
}

// Prints one figure; a goal of 0 means the figure is for information only.
bool report(const QString& what, double ours, double raw, double goal) {
    const double ratio = ours / raw;
    const bool ok = goal <= 0 || ratio <= goal;
    std::printf("%-40s %9.2f ms   raw read %9.2f ms   %5.2fx", qPrintable(what), ours, raw, ratio);
    if (goal > 0) {
        std::printf("   goal <= %.1fx  %s\n", goal, ok ? "ok" : "MISSED");
    } else {
        std::printf("   (for information)\n");
    }
    return ok;
}

int countStatements(unsigned, void* counter, void*, void*) {
    ++*static_cast<qint64*>(counter);
    return 0;
}

struct Engine {
    explicit Engine(const QString& path) { db.open(path); }
    CountingUi ui;
    FixedClock clock{kToday};
    Connection db;
    EventListModel list;
    PollTimer timer;
    NoWakeTimer wakeTimer;
    MemorySettings settings;
    Host host;
    ReminderEngine engine{ui, clock, db, list, timer, wakeTimer, settings, host};
};

// How often the event loop wakes while a snooze of `ticks` ticks runs on a
// polling timer of 1 ms ticks (time scaled down a thousandfold, so an hour's
// snooze of 3600 one-second ticks takes 3.6 s), beside a timer that ticks
// every interval as the polling timer did before it slept.
void snoozeWakeUps(Engine& e, int ticks) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    int wakeUps = 0;
    const auto counter = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, dispatcher,
                                          [&wakeUps] { ++wakeUps; });
    const auto runFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    };

    e.timer.setInterval(1);
    e.engine.setTicksCounted(0);
    int rechecks = 0;
    const auto rechecked =
        QObject::connect(&e.timer, &PollTimer::ticked, &e.timer, [&e, &rechecks](int passed) {
            ++rechecks;
            e.engine.pollTick(passed);
        });
    e.engine.setRecheckSeconds(ticks);
    wakeUps = 0;
    runFor(ticks + 100);
    const int sleeping = wakeUps;
    e.engine.setRecheckSeconds(0);
    QObject::disconnect(rechecked);

    QTimer ticking;
    ticking.setTimerType(Qt::PreciseTimer);
    int ticked = 0;
    QObject::connect(&ticking, &QTimer::timeout, &ticking, [&ticked] { ++ticked; });
    ticking.start(1);
    wakeUps = 0;
    runFor(ticks + 100);
    ticking.stop();
    QObject::disconnect(counter);
    std::printf(
        "Snoozed for %d ticks of 1 ms: %d event loop wake-ups, %d re-check(s); a timer ticking "
        "every tick: %d wake-ups (%d ticks)  %s\n",
        ticks, sleeping, rechecks, wakeUps, ticked,
        sleeping <= 10 && rechecks == 1 ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    bench::useHome(home.path());
    QCoreApplication app(argc, argv);
    bool ok = true;

    for (int rows : {1000, 10000, 100000}) {
        Engine e(makeStore(home.path(), rows));
        const int runs = rows >= 100000 ? 7 : rows >= 10000 ? 31 : 201;
        qint64 sink = 0;
        const auto read = [&] { sink += rawRead(e.db); };
        const auto [list, raw] = medianPair(
            runs, [&] { e.engine.refreshList(); }, read);
        ok = report(QStringLiteral("ListEvents, %1 events").arg(rows), list, raw, 2.0) && ok;
        ok = e.list.count() == rows && e.ui.errors == 0 && sink > 0 && ok;

        if (rows == 100000) {
            // Snoozed, the rebuild also runs the due check over the whole table.
            e.engine.setRecheckSeconds(3600);
            const auto [snoozed, raw2] = medianPair(
                runs, [&] { e.engine.refreshList(); }, read);
            report(QStringLiteral("ListEvents while snoozed, %1 events").arg(rows), snoozed, raw2,
                   0);
            e.engine.setRecheckSeconds(0);

            // The start of a day: the fill, the catch-up over the rows just
            // read, the due check; after a month off, and checked the day
            // before as on most starts. That one comes last: it leaves nothing
            // caught up, so the snoozed tick below finds nothing to remind of.
            for (const int daysOff : {40, 1}) {
                const QString lastCheck = kToday.addDays(-daysOff).toString(Qt::ISODate);
                const auto [start, raw4] = medianPair(
                    runs,
                    [&] {
                        e.settings.values.insert(RememberedDay::kKey, lastCheck);
                        e.engine.startDay();
                    },
                    read);
                report(QStringLiteral("StartOfDay, checked %1 day(s) before, %2 events")
                           .arg(daysOff)
                           .arg(rows),
                       start, raw4, 0);
                std::printf("  (%lld reminders caught up)\n",
                            static_cast<long long>(e.engine.caughtUp().size()));
                ok = e.ui.errors == 0 && ok;
            }
            e.host.shown = 0;

            // The catch-up alone, over the rows read, after more than a year
            // off with every window on: each event is worked out once.
            const DueCheck yearOff(*RemindWindows::fromText(u"0,3,7,14,30"), kToday);
            qsizetype caught = 0;
            const double catchUp = bench::medianMs(runs, [&] {
                caught = yearOff.missedSince(e.list.rows(), kToday.addDays(-400)).size();
            });
            std::printf(
                "Catch-up after 400 days off, %d events: %.2f ms, %lld caught up   goal "
                "<= 50 ms  %s\n",
                rows, catchUp, static_cast<long long>(caught), catchUp <= 50 ? "ok" : "MISSED");
            ok = catchUp <= 50 && ok;

            bool due = true;
            const auto [check, raw3] = medianPair(
                runs, [&] { due = !e.engine.dueToday().isEmpty(); }, read);
            ok = report(QStringLiteral("HasEventToday, %1 events, none due").arg(rows), check, raw3,
                        1.5) &&
                 !due && ok;

            // The idle tick: count the statements the database is given.
            qint64 statements = 0;
            sqlite3_trace_v2(e.db.handle(), SQLITE_TRACE_STMT, countStatements, &statements);
            constexpr int kTicks = 1000000;
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < kTicks; ++i) {
                e.engine.pollTick();
            }
            const double idleNs = static_cast<double>(timer.nsecsElapsed()) / kTicks;
            std::printf("Timer1_Timer, duration 0: %d ticks, %lld statements, %.1f ns a tick  %s\n",
                        kTicks, static_cast<long long>(statements), idleNs,
                        statements == 0 ? "ok" : "MISSED");
            ok = statements == 0 && ok;

            // For contrast: snoozed for an hour, the 3600th tick runs the due
            // check once, with the statements one due check takes (the events,
            // and their details where the store keeps them), and nothing else.
            statements = 0;
            e.engine.dueToday();
            const qint64 oneCheck = statements;
            statements = 0;
            e.engine.setRecheckSeconds(3600);
            e.engine.setTicksCounted(0);
            timer.restart();
            for (int i = 0; i < 3600; ++i) {
                e.engine.pollTick();
            }
            const bool quiet = statements == oneCheck && e.host.shown == 0;
            std::printf(
                "Timer1_Timer, duration 3600: 3600 ticks, %lld statement(s) (one due check: %lld), "
                "%d alarm(s), %.2f ms  %s\n",
                static_cast<long long>(statements), static_cast<long long>(oneCheck), e.host.shown,
                static_cast<double>(timer.nsecsElapsed()) / 1e6, quiet ? "ok" : "MISSED");
            sqlite3_trace_v2(e.db.handle(), 0, nullptr, nullptr);
            ok = quiet && ok;
        }
        if (rows == 1000) {
            snoozeWakeUps(e, 3600);
        }
    }
    return ok ? 0 : 1;
}
