#include "Checks.h"
#include "Files.h"
#include "ProgramFixture.h"
#include "Widgets.h"

#include "core/AppError.h"
#include "core/QSettingsStore.h"
#include "desktop/TrayIcon.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>

using namespace almanis;
using test::readFile;
using test::writeFile;

namespace {

QString entryPath(const test::TestEnvironment& env) {
    return env.configFolder() + QStringLiteral("/autostart/almanis.desktop");
}

// The boxes as "1"/"0" in load order, hidden boxes marked.
QString boxes(const MainWindow& form) {
    QString s;
    for (const char* box : {"Check1", "Check2", "Check4", "Check5", "Check6", "Check3", "Check8"}) {
        s += test::checkBox(form, box)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    }
    if (test::checkBox(form, "Check8")->isHidden()) {
        s += QStringLiteral(" (Check8 hidden)");
    }
    return s;
}

}  // namespace

class OptionsPanelTest : public test::TestCase {
    Q_OBJECT
  private slots:
    // The load shows the stored settings and changes none of them; with none
    // stored it writes nothing at all. The start-up box is silent while
    // loading: no entry appears for "On", and none is removed for "Off": only a
    // click changes it. Only exactly "On" ticks a start-up box. Started in the
    // tray, the program checks the day at once and remembers it.
    void loadShowsTheStoredSettingsAndChangesNone_data() {
        QTest::addColumn<QStringList>("stored");  // "key=value"
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<QString>("expectedBoxes");
        QTest::addColumn<bool>("inTray");
        QTest::newRow("nothing stored: only the day of the event")
            << QStringList() << false << "1000000" << false;
        QTest::newRow("nothing stored, someone's entry kept")
            << QStringList() << true << "1000000" << false;
        QTest::newRow("every box")
            << QStringList{"Check1=0", "Check2=1",           "Check4=1",     "Check5=1",
                           "Check6=1", "Windows Startup=On", "Minimized=Off"}
            << false << "0111110" << false;
        QTest::newRow("start in the tray without start-up")
            << QStringList{"Windows Startup=Off", "Minimized=On"} << false << "1000001" << true;
        for (const char* key : {"Windows Startup", "Minimized"}) {
            const bool minimised = QLatin1String(key) == QLatin1String("Minimized");
            const QString on = minimised ? QStringLiteral("1000001") : QStringLiteral("1000010");
            QTest::addRow("%s On", key)
                << QStringList{key + QStringLiteral("=On")} << false << on << minimised;
            for (const char* value : {"on", "ON", " On", "1", ""}) {
                QTest::addRow("%s '%s'", key, value)
                    << QStringList{key + QStringLiteral("=") + value} << false << "1000000"
                    << false;
            }
        }
    }
    void loadShowsTheStoredSettingsAndChangesNone() {
        QFETCH(QStringList, stored);
        QFETCH(bool, entryBefore);
        QFETCH(QString, expectedBoxes);
        QFETCH(bool, inTray);
        test::ProgramFixture p;
        for (const QString& setting : stored) {
            p.env.settings.values.insert(setting.section(QLatin1Char('='), 0, 0),
                                         setting.section(QLatin1Char('='), 1));
        }
        auto values = p.env.settings.values;
        if (inTray) {
            values.insert(QStringLiteral("Last Check"), QStringLiteral("2026-06-15"));
        }
        if (entryBefore) {
            writeFile(entryPath(p.env),
                      "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true\n");
        }
        p.load();
        QCOMPARE(boxes(*p.window), expectedBoxes);
        QCOMPARE(p.window->isHiddenInTray(), inTray);
        QCOMPARE(p.env.settings.values, values);
        if (stored.isEmpty()) {
            QVERIFY(p.env.settings.writes.isEmpty());
        }
        QVERIFY(p.env.ui.errors().isEmpty());
        QCOMPARE(QFile::exists(entryPath(p.env)), entryBefore);
    }

    void blanksAroundAWholeNumberAreAccepted() {
        test::ProgramFixture p;
        p.env.settings.values.insert("Check2", " 1 ");
        QVERIFY(test::checkBox(p.load(), "Check2")->isChecked());
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    void eachBoxIsStoredUnderItsKeyAtOnce_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("expectedWrites");
        const auto row = [](const char* name, const QString& box, const QString& writes) {
            QTest::newRow(name) << box << writes;
        };
        row("Check1 cleared", "Check1", "Check1=0");
        row("Check2", "Check2", "Check2=1");
        row("Check4", "Check4", "Check4=1");
        row("Check5", "Check5", "Check5=1");
        row("Check6", "Check6", "Check6=1");
        row("Check8", "Check8", "Minimized=On");
        row("Check3", "Check3", "Windows Startup=On");
    }
    void eachBoxIsStoredUnderItsKeyAtOnce() {
        QFETCH(QString, box);
        QFETCH(QString, expectedWrites);
        test::ProgramFixture p;
        p.start();
        p.env.settings.writes.clear();  // the day of the start-up check
        test::checkBox(*p.window, qPrintable(box))->click();
        QCOMPARE(p.env.settings.writes, QStringList{expectedWrites});
        const QString expectedBoxes = boxes(*p.window);
        // A restart shows the box as it was left, and restoring writes nothing new.
        p.window.reset();
        p.env.settings.writes.clear();
        const QMap<QString, QString> stored = p.env.settings.values;
        p.load();
        QCOMPARE(boxes(*p.window), expectedBoxes);
        QCOMPARE(p.env.settings.values, stored);
        QVERIFY(p.env.ui.errors().isEmpty());
    }

    void badRemindValueIsReportedAndTheLoadGoesOn_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expectedBoxes");
        const auto row = [](const char* name, const QString& key, const QString& value, int step,
                            const QString& boxes) {
            QTest::newRow(name) << key << value << step << boxes;
        };
        // Every other remind box is stored ticked, so a box left at its design
        // state shows the failing step alone, and the boxes after it still load.
        row("Check1 word", "Check1", "abc", 136, "1111100");
        row("Check1 empty", "Check1", "", 136, "1111100");
        row("Check2 fraction", "Check2", "1.5", 138, "1011100");
        row("Check4 not a state", "Check4", "7", 140, "1101100");
        row("Check5 negative", "Check5", "-1", 142, "1110100");
        row("Check6 two", "Check6", "2", 144, "1111000");
        row("Check1 not a state keeps ticked", "Check1", "-1", 136, "1111100");
    }
    void badRemindValueIsReportedAndTheLoadGoesOn() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, step);
        QFETCH(QString, expectedBoxes);
        test::TestEnvironment env;
        for (const char* k : {"Check1", "Check2", "Check4", "Check5", "Check6"}) {
            env.settings.values.insert(k, "1");
        }
        env.settings.values.insert(key, value);
        MainWindow form(env.services);
        form.load();
        const QStringList errors = env.ui.errors();
        QCOMPARE(errors.size(), 1);
        ALMANIS_VERIFY_CONTAINS(
            errors[0],
            QStringLiteral("\r\nin Almanis2021/08/31.Form1.Form_Load at line %1").arg(step));
        QCOMPARE(boxes(form), expectedBoxes);
        QCOMPARE(env.settings.values.value(key), value);  // the bad value is not overwritten
        // The load went on to its end.
        QCOMPARE(form.timer().interval(), 1000);
    }

    void clearingStartUpClearsAndHidesStartInTray() {
        test::TestEnvironment env;
        env.settings.values = {{"Windows Startup", "On"}, {"Minimized", "On"}};
        MainWindow form(env.services);
        form.trayIcon().setBalloonSecond(std::chrono::milliseconds(1));
        form.load();
        QVERIFY(form.isHiddenInTray());
        QVERIFY(!form.isStartingUp());
        form.restoreFromTray();
        writeFile(entryPath(env), "[Desktop Entry]\n");
        env.settings.writes.clear();

        test::checkBox(form, "Check3")->click();
        QCOMPARE(env.settings.writes, (QStringList{"Minimized=Off", "Windows Startup=Off"}));
        QVERIFY(!test::checkBox(form, "Check8")->isChecked());
        QVERIFY(test::checkBox(form, "Check8")->isHidden());
        QVERIFY(!QFile::exists(entryPath(env)));
        QVERIFY(env.ui.boxes.isEmpty());
    }

    void tickingStartUpShowsStartInTrayWithoutChangingIt() {
        test::TestEnvironment env;
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        test::checkBox(form, "Check3")->click();  // on
        test::checkBox(form, "Check3")->click();  // off: Check8 hidden
        QVERIFY(test::checkBox(form, "Check8")->isHidden());
        QVERIFY(!QFile::exists(entryPath(env)));
        env.settings.writes.clear();

        test::checkBox(form, "Check3")->click();
        QCOMPARE(env.settings.writes, QStringList{"Windows Startup=On"});
        QVERIFY(!test::checkBox(form, "Check8")->isHidden());
        QVERIFY(!test::checkBox(form, "Check8")->isChecked());
        const QByteArray entry = readFile(entryPath(env));
        QVERIFY2(entry.contains("\nExec=\"" + env.services.executablePath.toUtf8() + "\"\n"),
                 entry.constData());
    }

    void entryRemovedBySomeoneElseStaysAbsentUntilTheBoxIsTickedAgain() {
        test::TestEnvironment env;
        env.settings.values.insert("Windows Startup", "On");
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        QVERIFY(test::checkBox(form, "Check3")->isChecked());
        QVERIFY(!QFile::exists(entryPath(env)));
        test::checkBox(form, "Check3")->click();
        QVERIFY(!QFile::exists(entryPath(env)));
        QVERIFY(env.ui.boxes.isEmpty());  // removing what is not there is harmless
        test::checkBox(form, "Check3")->click();
        QVERIFY(QFile::exists(entryPath(env)));
    }

    void aFailedStartUpWriteIsToldOnceAndTheChoiceIsKept() {
        test::TestEnvironment env;
        // A file where the autostart folder should be: no one, not even the
        // superuser, can write an entry into it.
        writeFile(env.configFolder() + QStringLiteral("/autostart"), "not a folder");
        MainWindow form(env.services);
        form.load();
        form.handleActivation();
        test::checkBox(form, "Check3")->click();
        QCOMPARE(env.ui.boxes.size(), 1);
        QCOMPARE(env.ui.boxes[0].kind, QStringLiteral("inform"));
        QCOMPARE(env.ui.boxes[0].title, QStringLiteral("Almanis"));
        ALMANIS_VERIFY_CONTAINS(env.ui.boxes[0].text,
                                env.configFolder() + QStringLiteral("/autostart"));
        QVERIFY(env.ui.boxes[0].text.contains(QStringLiteral("not a folder")));
        QVERIFY(test::checkBox(form, "Check3")->isChecked());
        QCOMPARE(env.settings.values.value("Windows Startup"), QStringLiteral("On"));
    }

    // The options file itself.
    void livesInTheUsersConfigurationFolderWithTheExactKeys() {
        test::TestEnvironment env;
        const QString path = env.configFolder() + QStringLiteral("/Marrowind/Almanis.conf");
        {
            QSettingsStore store;
            QCOMPARE(store.fileName(), path);
            QCOMPARE(store.get("Windows Startup", "Off"), QStringLiteral("Off"));
            QVERIFY(!QFile::exists(path));  // reading writes nothing
            store.save("Windows Startup", "On");
            store.save("Check4", "1");
        }
        QVERIFY(QFile::exists(path));
        QSettingsStore reopened;
        QCOMPARE(reopened.get("Windows Startup", "Off"), QStringLiteral("On"));
        QCOMPARE(reopened.get("Check4", "0"), QStringLiteral("1"));
        QCOMPARE(reopened.get("Check5", "0"), QStringLiteral("0"));
        QSettings raw(path, QSettings::IniFormat);
        QCOMPARE(raw.childKeys(), (QStringList{"Check4", "Windows Startup"}));
    }

    void aTickedBoxSurvivesARestartThroughTheFile() {
        test::TestEnvironment env;
        QSettingsStore store;
        Services real = env.servicesWith(store);
        {
            MainWindow form(real);
            form.load();
            form.handleActivation();
            test::checkBox(form, "Check4")->click();
            test::checkBox(form, "Check1")->click();
        }
        QSettingsStore again;
        Services restarted = env.servicesWith(again);
        MainWindow form(restarted);
        form.load();
        QCOMPARE(boxes(form), QStringLiteral("0010000"));
    }

    void damagedFileReadsAsDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unclosed section") << QByteArray("[General\nCheck1=0\nMinimized=On\n");
        QTest::newRow("list under a key")
            << QByteArray("[General]\nCheck1=0, 1\nMinimized=On, Off\n");
        QTest::newRow("serialised object")
            << QByteArray("[General]\nCheck1=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10junk)\n");
    }
    void damagedFileReadsAsDefaults() {
        QFETCH(QByteArray, content);
        test::TestEnvironment env;
        writeFile(QSettingsStore::defaultFilePath(), content);
        if (content.contains("@Variant")) {
            // Qt says what it could not read; the program then ignores the value.
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^QVariant::load: unknown")));
        }
        QSettingsStore store;
        QCOMPARE(store.get("Check1", "1"), QStringLiteral("1"));
        QCOMPARE(store.get("Minimized", "Off"), QStringLiteral("Off"));
        // The program starts as with no settings at all.
        Services real = env.servicesWith(store);
        MainWindow form(real);
        form.load();
        QCOMPARE(boxes(form), QStringLiteral("1000000"));
        QVERIFY(env.ui.errors().isEmpty());
        QCOMPARE(readFile(QSettingsStore::defaultFilePath()), content);  // untouched until a change
    }

    void aChangeReplacesADamagedFileWithACleanOne() {
        test::TestEnvironment env;
        writeFile(QSettingsStore::defaultFilePath(), "[General\nCheck1=0\n");
        {
            QSettingsStore store;
            QVERIFY(!store.readable());
            store.save("Check2", "1");
        }
        QSettingsStore reopened;
        QVERIFY(reopened.readable());
        QCOMPARE(reopened.get("Check2", "0"), QStringLiteral("1"));
        QCOMPARE(reopened.get("Check1", "1"), QStringLiteral("1"));
    }

    void unreadableFileReadsAsDefaults() {
        test::TestEnvironment env;
        // A folder in the file's place cannot be read by anyone.
        QDir().mkpath(QSettingsStore::defaultFilePath());
        QSettingsStore store;
        QVERIFY(!store.readable());
        QCOMPARE(store.get("Check1", "1"), QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(AppError, store.save("Check1", "0"));
        QCOMPARE(store.get("Check1", "1"), QStringLiteral("0"));  // for the rest of the run
        Services real = env.servicesWith(store);
        MainWindow form(real);
        form.load();
        QVERIFY(env.ui.errors().isEmpty());
    }

    // An option that cannot be written is told once, naming the file and the
    // reason; the boxes keep the user's choices for the run.
    void anOptionThatCannotBeStoredIsToldOnce_data() {
        QTest::addColumn<QString>("blocker");  // what stands in the way, made by the test
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in the file's place") << "folder"
                                                      << "a folder is in the file's place";
        QTest::newRow("a file in the folder's place") << "file"
                                                      << "is a file, not a folder";
    }
    void anOptionThatCannotBeStoredIsToldOnce() {
        QFETCH(QString, blocker);
        QFETCH(QString, reason);
        test::TestEnvironment env;
        const QString path = QSettingsStore::defaultFilePath();
        if (blocker == QLatin1String("folder")) {
            QDir().mkpath(path);
        } else {
            writeFile(QFileInfo(path).path(), "not a folder");
        }
        QSettingsStore store;
        Services real = env.servicesWith(store);
        MainWindow form(real);
        form.load();
        form.handleActivation();
        test::checkBox(form, "Check4")->click();
        test::checkBox(form, "Check5")->click();
        test::checkBox(form, "Check1")->click();
        QCOMPARE(env.ui.boxes.size(), 1);
        QCOMPARE(env.ui.boxes[0].kind, QStringLiteral("inform"));
        const QString text = env.ui.boxes[0].text;
        ALMANIS_VERIFY_STARTS(text, QStringLiteral("The option \"Remind me 7 days before event\" "
                                                   "could not be stored in %1: ")
                                        .arg(path));
        ALMANIS_VERIFY_CONTAINS(text, reason);
        QCOMPARE(boxes(form), QStringLiteral("0011000"));
        QCOMPARE(store.get("Check4", "0"), QStringLiteral("1"));
    }

    // A stored value that is no option names the option and the file.
    void aGarbledOptionNamesItselfAndTheFile() {
        test::TestEnvironment env;
        env.settings.values.insert("Check2", "yes");
        MainWindow form(env.services);
        form.load();
        const QStringList errors = env.ui.errors();
        QCOMPARE(errors.size(), 1);
        ALMANIS_VERIFY_STARTS(
            errors[0],
            QStringLiteral(
                "Type mismatch: 'yes' is not a whole number in the option \"Remind me 3 days "
                "before event\" (Check2 in /memory/Almanis.conf)\r\n"));
    }
};

ALMANIS_TEST_MAIN(OptionsPanelTest)
#include "tst_options_panel.moc"
