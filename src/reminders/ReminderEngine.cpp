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

void ReminderEngine::ListEvents() {
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("ListEvents"));
    {
        ListBatch batch(list_);
        g.step(100, [&] { list_.clear(); });
        ResultSet rs;
        if (g.step(102, [&] { rs.open(sql::selectEvents(), eventDb_); })) {
            while (!rs.eof()) {
                int row = -1;
                g.step(104, [&] { row = list_.addItem(rs.field("id").toString()); });
                g.step(106, [&] { list_.setSubItem(row, 1, rs.field("Description").toString()); });
                g.step(108, [&] {
                    list_.setSubItem(row, 2, monthColumnText(wholeNumber(rs.field("EventMonth")),
                                                             clock_.today().year()));
                });
                g.step(110, [&] { list_.setSubItem(row, 3, QString::number(wholeNumber(rs.field("EventDay")))); });
                g.step(112, [&] { list_.setSubItem(row, 5, QString::number(wholeNumber(rs.field("EventMonth")))); });
                g.step(114, [&] {
                    const int n = DaysLeft(wholeNumber(rs.field("EventMonth")),
                                           wholeNumber(rs.field("EventDay")), clock_.today());
                    list_.setSubItem(row, 4, n == 0 ? QStringLiteral("Today") : QString::number(n));
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
    g.step(120, [&] {
        if (HasEventToday() && (host_.startingUp() || duration > 0)) {
            openAlarm();
        }
    });
}

bool ReminderEngine::HasEventToday() {
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("HasEventToday"));
    bool result = false;
    ResultSet rs;
    if (!g.step(102, [&] { rs.open(sql::selectEvents(), eventDb_); })) {
        return false;
    }
    const RemindWindows windows = host_.remindWindows();
    while (!rs.eof()) {
        std::optional<int> n = g.value(104, [&] {
            return DaysLeft(wholeNumber(rs.field("EventMonth")), wholeNumber(rs.field("EventDay")),
                            clock_.today());
        });
        if (n && isDue(*n, windows)) {
            result = true;
            break;
        }
        if (!g.step(106, [&] { rs.moveNext(); })) {
            return false;
        }
    }
    rs.close();
    return result;
}

void ReminderEngine::Timer1_Timer() {
    Guard g(ui_, QStringLiteral("Form1"), QStringLiteral("Timer1_Timer"));
    if (duration <= 0) {
        return;
    }
    ++TickCounter;
    // A snooze chosen shorter than the count already reached checks at once,
    // rather than never again.
    if (TickCounter >= duration) {
        g.step(104, [&] {
            if (HasEventToday()) {
                openAlarm();
            }
        });
        TickCounter = 0;
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
