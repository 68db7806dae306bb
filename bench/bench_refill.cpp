// The main window's list refilled after a change, with 100,000 events in the
// store: an event's date edited, an event added, an event deleted. Each change
// is the statement the editor or the command writes, untimed; then the refill
// the commands ask for (MainWindow::refreshList, for an open store the engine's
// refreshList) is timed until the event loop is idle again, so that the view's
// layout and painting count. Beside it, the bare read of the same store.
#include "BareRead.h"
#include "BenchUtil.h"
#include "EventStoreFile.h"
#include "WatchedApplication.h"
#include "core/Paths.h"
#include "mainwindow/MainWindow.h"
#include "store/DataFolder.h"
#include "store/StoredEvents.h"
#include "widgets/DesktopServices.h"

#include <sqlite3.h>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace almanis;

namespace {

constexpr int kEvents = 100000;
constexpr int kRuns = 9;
constexpr double kGoalMs = 100;

[[noreturn]] void fail(const char* why) {
    std::printf("%s\n", why);
    std::exit(1);
}

// Read as the view reads the list, whatever the model keeps for a row.
bool listsDate(const EventListModel& list, qint64 id, QDate date) {
    const auto cell = [&list](int row, EventListModel::Column column) {
        return list.data(list.index(row, column), Qt::DisplayRole).toLongLong();
    };
    for (int row = 0; row < list.rowCount(); ++row) {
        if (cell(row, EventListModel::IdColumn) == id) {
            return cell(row, EventListModel::MonthNumberColumn) == date.month() &&
                   cell(row, EventListModel::DayColumn) == date.day();
        }
    }
    return false;
}

double timedMs(const std::function<void()>& body) {
    QElapsedTimer timer;
    timer.start();
    body();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    bench::useHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::WatchedApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // The program reads the system clock; the events avoid its today.
    const QDate today = QDate::currentDate();
    QDir().mkpath(dataFolder());
    const QString store = dataFolder() + QLatin1String(kWorkingStore);
    bench::writeEventStore(store, kEvents,
                           [today](int i) { return bench::quietEventRow(i, today); });

    DesktopServices desktop(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR),
                            QCoreApplication::applicationFilePath());
    MainWindow form(desktop.services());
    form.load();
    form.show();
    // The first activation fills the list; the store's check follows it.
    bench::runUntilIdle(app);
    if (form.isStartingUp() || form.events().rowCount() != kEvents) {
        fail("the window did not list the store");
    }

    Connection& db = form.storeConnection();
    sqlite3* bare = nullptr;
    sqlite3_open_v2(store.toUtf8().constData(), &bare, SQLITE_OPEN_READONLY, nullptr);
    const bench::CivilDate civilToday{today.year(), today.month(), today.day()};
    const auto refill = [&](int expected) {
        const double ms = timedMs([&] {
            form.reminderEngine().refreshList();
            bench::runUntilIdle(app);
        });
        if (form.events().rowCount() != expected) {
            fail("the refill did not list the store as changed");
        }
        return ms;
    };

    std::vector<double> edits;
    std::vector<double> additions;
    std::vector<double> deletions;
    std::vector<double> reads;
    long long readRows = 0;
    const qint64 editedId = kEvents / 2;
    for (int run = 0; run < kRuns; ++run) {
        // Two dates in turn, each of them weeks from today, so nothing falls due.
        const QDate date = today.addDays(run % 2 == 0 ? 10 : 20);
        updateEvent(db, editedId, QStringLiteral("Birthday of an edited friend"), date.month(),
                    date.day());
        edits.push_back(refill(kEvents));
        if (!listsDate(form.events(), editedId, date)) {
            fail("the refill did not list the edited date");
        }
        const qint64 added =
            insertEvent(db, QStringLiteral("Birthday of a new friend"), date.month(), date.day());
        additions.push_back(refill(kEvents + 1));
        deleteEvent(db, added);
        deletions.push_back(refill(kEvents));
        reads.push_back(timedMs([&] { readRows = bench::bareRead(bare, civilToday).rows; }));
    }
    sqlite3_close(bare);
    if (readRows != kEvents || app.dialogsAnswered() > 0) {
        fail("the store was not read whole, or an alarm or error report opened");
    }

    std::printf("Refill of the main window after a change, %d events, median of %d\n", kEvents,
                kRuns);
    const double read = bench::median(reads);
    bench::reportWithin("refill after an edit vs bare read", bench::median(edits), read, kGoalMs);
    bench::reportWithin("refill after an addition vs bare read", bench::median(additions), read,
                        kGoalMs);
    bench::reportWithin("refill after a deletion vs bare read", bench::median(deletions), read,
                        kGoalMs);
    return 0;
}
