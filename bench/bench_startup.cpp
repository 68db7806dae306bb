// Start-up time: from process start to the main window shown and its first
// activation done, against a minimal Qt Widgets program, both under the same
// platform plugin and with the same fresh home folder.
#include "BenchUtil.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {
double runMs(const QString& program, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::printf("%s did not finish cleanly\n", qPrintable(program));
        std::exit(1);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    const QString almanis = folder + QStringLiteral("/startup_almanis");
    const QString minimal = folder + QStringLiteral("/startup_minimal");
    runMs(almanis, env);  // the first start copies the seed; time the usual start
    runMs(minimal, env);
    std::vector<double> ours;
    std::vector<double> reference;
    for (int i = 0; i < 15; ++i) {
        ours.push_back(runMs(almanis, env));
        reference.push_back(runMs(minimal, env));
    }
    std::sort(ours.begin(), ours.end());
    std::sort(reference.begin(), reference.end());
    std::printf("Start-up to first activation, median of 15 (platform %s)\n",
                qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"))));
    almanis::bench::report("start-up", ours[7], reference[7], 1.3);
    return 0;
}
