// The program's memory across alarms: the main window's Test Alarm button
// clicked again and again, each alarm window answered as it opens, as a
// person would over months of reminders. After some alarms to warm up (the
// first ones load the styles, fonts, the sound and the cursor), the resident
// memory must stay flat: what one alarm takes, its closing gives back.
// Beside it, for comparison, the same alarms each given button-face palettes
// of their own, as the window once had them.
#include "BenchUtil.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Design.h"
#include "widgets/DesktopServices.h"

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

using namespace almanis;

namespace {

constexpr int kWarmUp = 10;
constexpr int kMeasured = 50;
constexpr int kLong = 550;
constexpr double kGoalKiB = 1024;

// The resident set in KiB, as the kernel counts it.
double residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    const double pages = fields.size() > 1 ? fields[1].toDouble() : 0;
    return pages * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

// Shows the alarm window that is open, painted whole as on a screen, and
// answers it with its "Remind Me Later" button; false when none was open.
bool answerAlarm(bool ownPalettes) {
    auto* alarm = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!alarm) {
        return false;
    }
    if (ownPalettes) {
        applyButtonFaceColours(*alarm);
    }
    QCoreApplication::processEvents();
    alarm->repaint();
    auto* remindLater = alarm->findChild<QPushButton*>(QStringLiteral("PushButton1"));
    if (!remindLater) {
        return false;
    }
    remindLater->click();
    return true;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

[[noreturn]] void fail(const char* why) {
    std::printf("%s\n", why);
    std::exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    bench::useHome(home.path());
    // Offscreen unless a display is asked for (QT_QPA_PLATFORM=xcb under Xvfb):
    // what a window system keeps per window counts too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    DesktopServices desktop(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR),
                            QCoreApplication::applicationFilePath());
    MainWindow form(desktop.services());
    form.load();
    form.show();
    settle();
    auto* testAlarm = form.findChild<QPushButton*>(QStringLiteral("PushButton3"));
    if (!testAlarm) {
        fail("the window has no Test Alarm button");
    }

    int answered = 0;
    const auto alarms = [&](int count, bool ownPalettes = false) {
        for (int i = 0; i < count; ++i) {
            QTimer::singleShot(0, &form, [&answered, ownPalettes] {
                answered += answerAlarm(ownPalettes) ? 1 : 0;
            });
            testAlarm->click();
            settle();
        }
    };
    alarms(kWarmUp);
    const qsizetype widgets = QApplication::allWidgets().size();
    const double warm = residentKiB();
    alarms(kMeasured);
    const double measured = residentKiB();
    alarms(kLong - kMeasured);
    const double afterMore = residentKiB();
    alarms(kWarmUp, true);
    const double paletteWarm = residentKiB();
    alarms(kMeasured, true);
    const double paletteGrowth = residentKiB() - paletteWarm;
    if (answered != 2 * kWarmUp + kLong + kMeasured) {
        fail("not every click opened one alarm window");
    }
    if (QApplication::allWidgets().size() != widgets) {
        fail("the alarms left widgets behind");
    }

    const double growth = measured - warm;
    std::printf("Resident memory after %d alarms: %.0f KiB\n", kWarmUp, warm);
    std::printf(
        "%-48s %10.0f KiB  goal <= %.0f KiB  %s\n",
        QStringLiteral("growth over the next %1 alarms").arg(kMeasured).toUtf8().constData(),
        growth, kGoalKiB, growth <= kGoalKiB ? "ok" : "MISSED");
    std::printf("%-48s %10.0f KiB  (for comparison)\n",
                QStringLiteral("  each with palettes of its own, %1 alarms")
                    .arg(kMeasured)
                    .toUtf8()
                    .constData(),
                paletteGrowth);
    std::printf("%-48s %10.2f KiB an alarm  (for information)\n",
                QStringLiteral("growth over the %1 alarms after those")
                    .arg(kLong - kMeasured)
                    .toUtf8()
                    .constData(),
                (afterMore - measured) / (kLong - kMeasured));
    return growth <= kGoalKiB ? 0 : 1;
}
