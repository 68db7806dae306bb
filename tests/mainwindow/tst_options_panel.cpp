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
#include <QSettings>

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
            QTest::addRow("%s Off", key)
                << QStringList{key + QStringLiteral("=Off")} << false << "1000000" << false;
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

    // A stored value that is no state of its box is set back to the box's
    // default in the options file, and the options set back are told in one
    // box naming the file; the next start reads them without a word.
    void garbledOptionsAreSetBackAndToldOnce_data() {
        QTest::addColumn<QStringList>("stored");  // the file's lines, "key=value"
        QTest::addColumn<QString>("expectedBoxes");
        QTest::addColumn<QStringList>("expectedReset");
        QTest::addColumn<QStringList>("expectedFile");  // "key=value"
        const auto row = [](const char* name, const QStringList& stored, const QString& boxes,
                            const QStringList& reset, const QStringList& file) {
            QTest::newRow(name) << stored << boxes << reset << file;
        };
        const QString onTheDay = QStringLiteral("Remind me on the day of the event");
        const QString threeDays = QStringLiteral("Remind me 3 days before event");
        const QString sevenDays = QStringLiteral("Remind me 7 days before event");
        const QString thirtyDays = QStringLiteral("Remind me 30 days before event");
        const QString inTray = QStringLiteral("Start in system tray");
        row("a word in a number", {"Check2=yes", "Check4=1"}, "1010000", {threeDays},
            {"Check2=0", "Check4=1"});
        row("an empty number", {"Check1=", "Check4=1"}, "1010000", {onTheDay},
            {"Check1=1", "Check4=1"});
        row("a fraction", {"Check2=1.5"}, "1000000", {threeDays}, {"Check2=0"});
        row("a number out of range", {"Check4=7"}, "1000000", {sevenDays}, {"Check4=0"});
        row("a negative number", {"Check6=-1"}, "1000000", {thirtyDays}, {"Check6=0"});
        row("on/off in lower case", {"Windows Startup=on"}, "1000000",
            {QStringLiteral("Load this software when I log in")}, {"Windows Startup=Off"});
        row("on/off as a number", {"Minimized=1"}, "1000000", {inTray}, {"Minimized=Off"});
        row("on/off empty", {"Keep Running="}, "1000000",
            {QStringLiteral("Keep reminding when the window is closed")}, {"Keep Running=Off"});
        row("a list under a number key", {"Check1=0, 1", "Check2=1"}, "1100000", {onTheDay},
            {"Check1=1", "Check2=1"});
        row("a list under an on/off key", {"Minimized=On, Off"}, "1000000", {inTray},
            {"Minimized=Off"});
        row("a serialised object", {"Check5=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10junk)"}, "1000000",
            {QStringLiteral("Remind me 14 days before event")}, {"Check5=0"});
        row("several at once, the others kept",
            {"Check1=abc", "Check2=1", "Check6=2", "Windows Startup=On", "Minimized=yes"},
            "1100010", {onTheDay, thirtyDays, inTray},
            {"Check1=1", "Check2=1", "Check6=0", "Windows Startup=On", "Minimized=Off"});
    }
    void garbledOptionsAreSetBackAndToldOnce() {
        QFETCH(QStringList, stored);
        QFETCH(QString, expectedBoxes);
        QFETCH(QStringList, expectedReset);
        QFETCH(QStringList, expectedFile);
        test::TestEnvironment env;
        const QString path = QSettingsStore::defaultFilePath();
        writeFile(path, "[General]\n" + stored.join(QLatin1Char('\n')).toUtf8() + "\n");
        if (stored.join(QString()).contains(QStringLiteral("@Variant"))) {
            // Qt says what it could not read; the program then sets it back.
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^QVariant::load: unknown")));
        }
        const auto start = [&env] {
            QSettingsStore store;
            Services real = env.servicesWith(store);
            MainWindow form(real);
            form.load();
            return boxes(form);
        };
        const QString loaded = start();
        QCOMPARE(loaded, expectedBoxes);
        QVERIFY(env.ui.errors().isEmpty());
        QCOMPARE(env.ui.boxes.size(), 1);
        QCOMPARE(env.ui.boxes[0].kind, QStringLiteral("inform"));
        QCOMPARE(env.ui.boxes[0].text,
                 QStringLiteral("The options file %1 held values that Almanis cannot read. "
                                "These options were set back to their defaults:\r\n%2")
                     .arg(path, expectedReset.join(QStringLiteral("\r\n"))));
        QSettings file(path, QSettings::IniFormat);
        QStringList written;
        for (const QString& key : file.allKeys()) {
            written << key + QLatin1Char('=') + file.value(key).toString();
        }
        expectedFile.sort();
        written.sort();
        QCOMPARE(written, expectedFile);
        // The next start shows the same and says nothing.
        env.ui.boxes.clear();
        QCOMPARE(start(), loaded);
        QVERIFY(env.ui.boxes.isEmpty());
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

    // A file Qt cannot read at all is left for the user to mend.
    void damagedFileReadsAsDefaults() {
        const QByteArray content("[General\nCheck1=0\nMinimized=On\n");
        test::TestEnvironment env;
        writeFile(QSettingsStore::defaultFilePath(), content);
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
};

ALMANIS_TEST_MAIN(OptionsPanelTest)
#include "tst_options_panel.moc"
