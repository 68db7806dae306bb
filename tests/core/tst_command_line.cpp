#include "TestEnvironment.h"

#include "AlmanisVersion.h"
#include "core/CommandLine.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace almanis;

class CommandLineTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");  // a text the output holds
        QTest::addColumn<QString>("error");   // a text standard error holds
        const auto row = [](const char* name, const QStringList& arguments, bool starts,
                            int exitCode, const QString& output, const QString& error) {
            QTest::newRow(name) << arguments << starts << exitCode << output << error;
        };
        const QString version = QStringLiteral("almanis " ALMANIS_VERSION "\n");
        row("nothing: start", QStringList(), true, 0, "", "");
        row("--help", QStringList{"--help"}, false, 0, "--version", "");
        row("-h", QStringList{"-h"}, false, 0, "Usage:", "");
        row("--version", QStringList{"--version"}, false, 0, version, "");
        row("-v", QStringList{"-v"}, false, 0, version, "");
        row("unknown option", QStringList{"--frobnicate"}, false, 2, "",
            "Unknown option 'frobnicate'");
        row("unknown letters", QStringList{"-xyz"}, false, 2, "", "Try 'almanis --help'");
        row("an argument", QStringList{"events.txt"}, false, 2, "",
            "Unexpected argument 'events.txt'");
        row("Qt's -style", QStringList{"-style", "Fusion"}, true, 0, "", "");
        row("Qt's -platform=", QStringList{"-platform=offscreen"}, true, 0, "", "");
        row("a session's -session", QStringList{"-session", "1234_5678"}, true, 0, "", "");
        row("Qt's -reverse", QStringList{"-reverse"}, true, 0, "", "");
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, starts);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        const CommandLine line = CommandLine::parse(QStringList{"almanis"} + arguments);
        QCOMPARE(line.startsProgram(), starts);
        QCOMPARE(line.exitCode(), exitCode);
        if (output.isEmpty()) {
            QVERIFY(line.output().isEmpty());
        } else {
            QVERIFY2(line.output().contains(output), qPrintable(line.output()));
        }
        if (error.isEmpty()) {
            QVERIFY(line.error().isEmpty());
        } else {
            QVERIFY2(line.error().contains(error), qPrintable(line.error()));
        }
    }

    void helpListsOnlyTheProgramsOwnOptions() {
        const QString help = CommandLine::parse({"almanis", "--help"}).output();
        QVERIFY(help.contains(QStringLiteral("--help")));
        QVERIFY(help.contains(QStringLiteral("--version")));
        QVERIFY(help.contains(QStringLiteral("birthdays")));
        for (const char* qtOption : {"-platform", "-style", "-session", "-reverse", "help-all"}) {
            QVERIFY2(!help.contains(QLatin1String(qtOption)), qtOption);
        }
    }

    void theProgramAnswersWithoutADisplayOrItsStore_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "--version"
                                << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << ALMANIS_VERSION << "";
        QTest::newRow("unknown option") << QStringList{"--nope"} << 2 << ""
                                        << "--help";
        QTest::newRow("a start") << QStringList{} << 1 << ""
                                 << "almanis: no display could be opened, so there is no window "
                                    "to show.";
    }
    void theProgramAnswersWithoutADisplayOrItsStore() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME",
                                 "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            environment.remove(QLatin1String(name));
        }
        environment.insert(QStringLiteral("HOME"), home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/almanis"), arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(program.exitCode() == exitCode, qPrintable(out + err));
        QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), qPrintable(out));
        QVERIFY2(error.isEmpty() ? err.isEmpty() : err.contains(error), qPrintable(err));
        // Nothing was written in the home folder: no store, no settings.
        QCOMPARE(
            QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
    }
};

ALMANIS_TEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"
