#include "reminders/ReminderEngine.h"

#include "app/AppError.h"
#include "app/Clock.h"
#include "app/ErrorReport.h"
#include "app/ListViewModel.h"
#include "reminders/PollTimer.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QLocale>

namespace almanis {

ReminderEngine::ReminderEngine(Ui& ui, const Clock& clock, const Connection& eventDb,
                               ListViewModel& list, PollTimer& timer, ReminderHost& host)
    : ui_(ui), clock_(clock), eventDb_(eventDb), list_(list), timer_(timer), host_(host) {}

QString monthColumnText(int month, int year) {
    const auto first = carriedDate(year, month, 1);
    if (!first) {
        throw AppError(QStringLiteral("Invalid procedure call: no month %1").arg(month));
    }
    return QLocale().standaloneMonthName(first->month(), QLocale::LongFormat);
}

namespace {
QString daysLeftText(int daysLeft) {
    return daysLeft == 0 ? QStringLiteral("Today") : QString::number(daysLeft);
}
}  // namespace

void ReminderEngine::ListEvents() {
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("ListEvents"));
    bool opened = false;
    {
        // The view is told once, when the fill is over and before any alarm opens.
        ListBatch batch(list_);
        g.step(100, [&] { list_.clear(); });
        ResultSet rs;
        opened = g.step(102, [&] { rs.open(sql::selectEvents(), eventDb_); });
        if (opened) {
            while (!rs.eof()) {
                int row = -1;
                g.step(104, [&] { row = list_.addItem(rs.field("id").toString()); });
                g.step(106, [&] { list_.setSubItem(row, 1, rs.field("Description").toString()); });
                g.step(108, [&] {
                    list_.setSubItem(row, 2,
                                     monthColumnText(wholeNumber(rs.field("EventMonth")),
                                                     clock_.today().year()));
                });
                g.step(110, [&] {
                    list_.setSubItem(row, 3, QString::number(wholeNumber(rs.field("EventDay"))));
                });
                g.step(112, [&] {
                    list_.setSubItem(row, 5, QString::number(wholeNumber(rs.field("EventMonth"))));
                });
                g.step(114, [&] {
                    list_.setSubItem(
                        row, 4,
                        daysLeftText(DaysLeft(wholeNumber(rs.field("EventMonth")),
                                              wholeNumber(rs.field("EventDay")), clock_.today())));
                });
                // A result set that can't be read further would fail the same
                // way on every row: report it once and stop the fill.
                if (!g.step(116, [&] { rs.moveNext(); })) {
                    break;
                }
            }
        }
        g.step(118, [&] {
            if (rs.state() != 0) {
                rs.close();
            }
        });
    }
    // Without a readable store the check could only repeat the same report and
    // find nothing. When neither starting up nor snoozed its answer opens
    // nothing, so the table is not read a second time (nor a bad row reported
    // twice).
    if (!opened) {
        return;
    }
    if (g.test(120, [&] { return (host_.startingUp() || duration > 0) && HasEventToday(); })) {
        g.step(122, [&] { openAlarm(); });
    }
}

bool ReminderEngine::HasEventToday() {
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("HasEventToday"));
    bool result = false;
    RemindWindows windows;
    ResultSet rs;
    g.step(100, [&] { result = false; });
    g.step(102, [&] { windows = host_.remindWindows(); });
    if (!g.step(104, [&] { rs.open(sql::selectEvents(), eventDb_); })) {
        return false;
    }
    while (!rs.eof()) {
        // A row whose date can't be built is reported and never due.
        const std::optional<int> n = g.value(106, [&] {
            return DaysLeft(wholeNumber(rs.field("EventMonth")), wholeNumber(rs.field("EventDay")),
                            clock_.today());
        });
        if (n && isDue(*n, windows)) {  // 108
            g.step(110, [&] { result = true; });
            break;
        }
        if (!g.step(112, [&] { rs.moveNext(); })) {
            return false;
        }
    }
    g.step(114, [&] {
        if (rs.state() != 0) {
            rs.close();
        }
    });
    return result;
}

void ReminderEngine::Timer1_Timer() {
    // Nearly every tick ends here; it stays one comparison (step 100).
    if (duration <= 0) {
        return;
    }
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("Timer1_Timer"));
    g.step(102, [&] { ++TickCounter; });
    // At or past the interval: a snooze chosen shorter than the count already
    // reached (the alarm having opened from a list rebuild or the test command
    // meanwhile) checks at once instead of never again.
    if (g.test(104, [&] { return TickCounter >= duration; })) {
        if (g.test(106, [&] { return HasEventToday(); })) {
            g.step(108, [&] { openAlarm(); });
        }
        g.step(110, [&] { TickCounter = 0; });
    }
}

void ReminderEngine::openAlarm() {
    timer_.setInterval(0);
    timer_.setEnabled(false);
    // However the window ends, the polling timer runs again afterwards, or a
    // snooze would go silently dead.
    struct Restart {
        PollTimer& timer;
        ~Restart() {
            timer.setInterval(1000);
            timer.setEnabled(true);
        }
    } restart{timer_};
    host_.showAlarm();
}

}  // namespace almanis
