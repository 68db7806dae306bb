// The program's memory across alarms and editors: the main window's Test
// Alarm button clicked again and again, each alarm window answered as it
// opens, as a person would over months of reminders; then the Add Reminder
// button, each editor cancelled. After some openings to warm up (the first
// ones load the styles, fonts, the sound and the cursor), the resident memory
// must stay flat: what one window takes, its closing gives back. Beside it,
// for comparison, the same windows each given button-face palettes of their
// own, as they once had them.
#include "BenchUtil.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Design.h"
#include "widgets/DesktopServices.h"

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPixmapCache>
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

// One kind of window the main window opens: the button that opens it and
// the window's button that closes it again.
struct Opened {
    const char* what;
    const char* opener;
    const char* closer;
};

// Shows the window that is open, painted whole as on a screen, and closes it
// with its `closer` button; false when none was open.
bool answer(const Opened& kind, bool ownPalettes) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
        return false;
    }
    if (ownPalettes) {
        applyButtonFaceColours(*dialog);
    }
    QCoreApplication::processEvents();
    dialog->repaint();
    auto* closer = dialog->findChild<QPushButton*>(QLatin1String(kind.closer));
    if (!closer) {
        return false;
    }
    closer->click();
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

    bool met = true;
    // "Cancel" closes an editor, "Remind Me Later" answers an alarm.
    for (const Opened& kind : {Opened{"editors", "PushButton6", "PushButton1"},
                               Opened{"alarms", "PushButton3", "PushButton1"}}) {
        // Each kind's comparison starts with room in the picture cache, which
        // has a limit: the other kind's pictures would otherwise fill it.
        QPixmapCache::clear();
        auto* opener = form.findChild<QPushButton*>(QLatin1String(kind.opener));
        if (!opener) {
            fail("the window lacks a button that opens a window");
        }
        int answered = 0;
        const auto open = [&](int count, bool ownPalettes = false) {
            for (int i = 0; i < count; ++i) {
                QTimer::singleShot(0, &form, [&answered, &kind, ownPalettes] {
                    answered += answer(kind, ownPalettes) ? 1 : 0;
                });
                opener->click();
                settle();
            }
        };
        open(kWarmUp);
        const qsizetype widgets = QApplication::allWidgets().size();
        const double warm = residentKiB();
        open(kMeasured);
        const double measured = residentKiB();
        open(kLong - kMeasured);
        const double afterMore = residentKiB();
        open(kWarmUp, true);
        const double paletteWarm = residentKiB();
        open(kMeasured, true);
        const double paletteGrowth = residentKiB() - paletteWarm;
        if (answered != 2 * kWarmUp + kLong + kMeasured) {
            fail("not every click opened one window");
        }
        if (QApplication::allWidgets().size() != widgets) {
            fail("the windows left widgets behind");
        }

        const double growth = measured - warm;
        met = met && growth <= kGoalKiB;
        std::printf("Resident memory after %d %s: %.0f KiB\n", kWarmUp, kind.what, warm);
        std::printf("%-48s %10.0f KiB  goal <= %.0f KiB  %s\n",
                    QStringLiteral("growth over the next %1 %2")
                        .arg(kMeasured)
                        .arg(QLatin1String(kind.what))
                        .toUtf8()
                        .constData(),
                    growth, kGoalKiB, growth <= kGoalKiB ? "ok" : "MISSED");
        std::printf("%-48s %10.0f KiB  (for comparison)\n",
                    QStringLiteral("  each with palettes of its own, %1 %2")
                        .arg(kMeasured)
                        .arg(QLatin1String(kind.what))
                        .toUtf8()
                        .constData(),
                    paletteGrowth);
        std::printf("%-48s %10.2f KiB a window  (for information)\n",
                    QStringLiteral("growth over the %1 %2 after those")
                        .arg(kLong - kMeasured)
                        .arg(QLatin1String(kind.what))
                        .toUtf8()
                        .constData(),
                    (afterMore - measured) / (kLong - kMeasured));
    }
    return met ? 0 : 1;
}
