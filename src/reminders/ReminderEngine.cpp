#include "reminders/ReminderEngine.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "core/Guard.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "store/Connection.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QLocale>
#include <iterator>
#include <optional>

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
// One fill of the main list: the row being filled, and the texts that rows
// share (month names and small numbers), so a long list doesn't make the
// same few texts a hundred thousand times. Each column is one guarded step.
class ListFill {
  public:
    ListFill(ListViewModel& list, const Clock& clock, const ResultSet& rs)
        : list_(list), clock_(clock), rs_(rs) {}

    void nextRow() {
        row_ = -1;
        month_.reset();
        day_.reset();
    }
    void addItem() { row_ = list_.addItem(rs_.field("id").toString()); }
    void description() { list_.setSubItem(row_, 1, rs_.field("Description").toString()); }
    void monthName() { list_.setSubItem(row_, 2, monthNameOf(month())); }
    void day() { list_.setSubItem(row_, 3, number(storedDay())); }
    void monthNumber() { list_.setSubItem(row_, 5, number(month())); }
    void daysLeft() {
        const int n = DaysLeft(month(), storedDay(), clock_.today());
        list_.setSubItem(row_, 4, n == 0 ? QStringLiteral("Today") : number(n));
    }

  private:
    // A stored month or day is read at the first step that needs it; a read
    // that fails fails again in the next step that needs it, so each such
    // step is reported, as if it had read the field itself.
    int month() {
        if (!month_) {
            month_ = wholeNumber(rs_.field("EventMonth"));
        }
        return *month_;
    }
    int storedDay() {
        if (!day_) {
            day_ = wholeNumber(rs_.field("EventDay"));
        }
        return *day_;
    }
    QString monthNameOf(int month) {
        if (month < 1 || month > 12) {
            return monthColumnText(month, clock_.today().year());
        }
        QString& name = monthNames_[month - 1];
        if (name.isNull()) {
            name = monthColumnText(month, clock_.today().year());
        }
        return name;
    }
    QString number(int n) {
        if (n < 0 || n >= static_cast<int>(std::size(numbers_))) {
            return QString::number(n);
        }
        QString& text = numbers_[n];
        if (text.isNull()) {
            text = QString::number(n);
        }
        return text;
    }

    ListViewModel& list_;
    const Clock& clock_;
    const ResultSet& rs_;
    int row_ = -1;
    std::optional<int> month_;
    std::optional<int> day_;
    QString monthNames_[12];
    QString numbers_[367];
};
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
        ListFill fill(list_, clock_, rs);
        while (opened && !rs.eof()) {
            fill.nextRow();
            g.step(104, [&fill] { fill.addItem(); });
            g.step(106, [&fill] { fill.description(); });
            g.step(108, [&fill] { fill.monthName(); });
            g.step(110, [&fill] { fill.day(); });
            g.step(112, [&fill] { fill.monthNumber(); });
            g.step(114, [&fill] { fill.daysLeft(); });
            // A result set that can't be read further would fail the same
            // way on every row: report it once and stop the fill.
            if (!g.step(116, [&rs] { rs.moveNext(); })) {
                break;
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
