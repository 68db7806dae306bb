#include "Files.h"
#include "TestEnvironment.h"

#include "desktop/AutostartFolder.h"
#include "desktop/LogonStartup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <optional>

using namespace almanis;
using test::readFile;
using test::writeFile;

namespace {

// The Exec line of an entry as a desktop session reads it: the string escapes
// undone first, then the line split into arguments by its quoting rules, then
// "%%" taken as "%". Nothing when the line breaks the rules.
// The value of the entry's key `key` with its string escapes undone; nothing
// when an escape breaks the rules.
std::optional<QString> stringValueOf(const QByteArray& entry, const QString& key) {
    QString line;
    for (const QString& l : QString::fromUtf8(entry).split(QLatin1Char('\n'))) {
        if (l.startsWith(key + QLatin1Char('='))) {
            line = l.mid(key.size() + 1);
        }
    }
    QString value;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != QLatin1Char('\\')) {
            value += line[i];
            continue;
        }
        if (++i == line.size()) {
            return std::nullopt;
        }
        switch (line[i].unicode()) {
            case 's':
                value += QLatin1Char(' ');
                break;
            case 'n':
                value += QLatin1Char('\n');
                break;
            case 't':
                value += QLatin1Char('\t');
                break;
            case 'r':
                value += QLatin1Char('\r');
                break;
            case '\\':
                value += QLatin1Char('\\');
                break;
            default:
                return std::nullopt;
        }
    }
    return value;
}

std::optional<QStringList> parseExec(const QByteArray& entry) {
    const std::optional<QString> line = stringValueOf(entry, QStringLiteral("Exec"));
    if (!line) {
        return std::nullopt;
    }
    const QString value = *line;
    const QString reserved = QStringLiteral("\t\n\"'\\><~|&;$*?#()`");
    QStringList args;
    QString arg;
    bool inArg = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('"')) {
            inArg = true;
            for (++i; i < value.size() && value[i] != QLatin1Char('"'); ++i) {
                if (value[i] == QLatin1Char('\\')) {
                    if (++i == value.size() || !QStringLiteral("\"`$\\").contains(value[i])) {
                        return std::nullopt;
                    }
                } else if (QStringLiteral("`$").contains(value[i])) {
                    return std::nullopt;  // must be escaped inside quotes
                }
                arg += value[i];
            }
            if (i == value.size()) {
                return std::nullopt;  // unclosed quote
            }
        } else if (c == QLatin1Char(' ')) {
            if (inArg) {
                args.append(arg);
            }
            arg.clear();
            inArg = false;
        } else if (reserved.contains(c)) {
            return std::nullopt;  // must be quoted
        } else {
            arg += c;
            inArg = true;
        }
    }
    if (inArg) {
        args.append(arg);
    }
    for (QString& a : args) {
        QString out;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i] == QLatin1Char('%')) {
                if (i + 1 == a.size() || a[i + 1] != QLatin1Char('%')) {
                    return std::nullopt;  // a field code
                }
                ++i;
            }
            out += a[i];
        }
        a = out;
    }
    return args;
}

}  // namespace

class LogonStartupTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void execLineGivesBackThePath_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/usr/lib/almanis/almanis";
        QTest::newRow("blanks") << "/home/me/My Programs/Almanis 2/almanis";
        QTest::newRow("double quotes") << "/opt/\"quoted\"/almanis";
        QTest::newRow("single quote") << "/home/o'brien/almanis";
        QTest::newRow("dollar") << "/opt/$HOME/${x}/almanis";
        QTest::newRow("percent and field codes") << "/opt/100%/%f %U %%/almanis";
        QTest::newRow("backslashes") << "/opt/a\\b\\\\c\\/almanis\\";
        QTest::newRow("backquote") << "/opt/`id`/almanis";
        QTest::newRow("shell characters") << "/opt/a;b&c|d>e<f*g?h#i(j)k~/almanis";
        QTest::newRow("tab and newline") << "/opt/a\tb\nc\rd/almanis";
        QTest::newRow("equals and brackets") << "/opt/x=y/[Desktop Entry]/almanis";
        QTest::newRow("non-ASCII") << "/home/zoë/Программы/almanis";
        QTest::newRow("all at once") << "/t/ \"' $ % \\ ` \\\" \\$ %% /almanis";
    }
    void execLineGivesBackThePath() {
        QFETCH(QString, path);
        const auto args = parseExec(logonEntry(path));
        QVERIFY2(args.has_value(), qPrintable(execLine(path)));
        // A percent sign in the path sends it through env (see the session test).
        const QStringList expected =
            path.contains(QLatin1Char('%')) ? QStringList{"env", path} : QStringList{path};
        QCOMPARE(*args, expected);
    }

    void tryExecNamesTheProgram_data() { execLineGivesBackThePath_data(); }
    void tryExecNamesTheProgram() {
        QFETCH(QString, path);
        QCOMPARE(stringValueOf(logonEntry(path), QStringLiteral("TryExec")), path);
    }

    void stringValuesKeepEveryCharacter_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("leading blank") << " /opt/almanis";
        QTest::newRow("blanks inside") << "/opt/my programs/almanis ";
        QTest::newRow("escapes") << "/a\\b\nc\td\re\\s";
    }
    void stringValuesKeepEveryCharacter() {
        QFETCH(QString, text);
        const QByteArray entry = "Key=" + stringValue(text).toUtf8() + "\n";
        QVERIFY(!stringValue(text).startsWith(QLatin1Char(' ')));
        QCOMPARE(stringValueOf(entry, QStringLiteral("Key")), text);
    }

    void writtenEntryPassesTheValidator_data() { execLineGivesBackThePath_data(); }
    void writtenEntryPassesTheValidator() {
        QFETCH(QString, path);
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty()) {
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
        }
        test::TestEnvironment env;
        test::ScriptedUi ui;
        LogonStartup(ui, path).enable();
        const QString entry = LogonStartup(ui, path).autostartFolder() + QLatin1Char('/') +
                              QFileInfo(path).fileName() + QStringLiteral(".desktop");
        QVERIFY(QFile::exists(entry));
        QProcess run;
        run.start(validator, {entry});
        QVERIFY(run.waitForFinished(30000));
        const QByteArray output = run.readAllStandardOutput() + run.readAllStandardError();
        QVERIFY2(run.exitCode() == 0 && output.trimmed().isEmpty(), output.constData());
    }

    void aSessionStartsTheProgramTheEntryNames_data() {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("quotes, dollar, backslash, backquote") << "My \"Apps\" $HOME \\ `x`";
        QTest::newRow("percent too") << "My \"Apps\" $HOME 100% \\ `x`";
    }
    void aSessionStartsTheProgramTheEntryNames() {
        QFETCH(QString, folderName);
        // Started the way a session does it, from the entry; the program here is a
        // script at an awkward path that leaves a mark when it runs.
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty()) {
            QSKIP("gio is not installed (Debian package libglib2.0-bin)");
        }
        test::TestEnvironment env;
        const QString folder = env.programFolder() + QLatin1Char('/') + folderName;
        const QString program = folder + QStringLiteral("/almanis");
        const QString mark = env.programFolder() + QStringLiteral("/ran");
        writeFile(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + mark.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        test::ScriptedUi ui;
        LogonStartup startUp(ui, program);
        startUp.enable();
        QProcess launch;
        launch.start(gio, {QStringLiteral("launch"),
                           startUp.autostartFolder() + QStringLiteral("/almanis.desktop")});
        QVERIFY(launch.waitForFinished(30000));
        QVERIFY2(launch.exitCode() == 0, launch.readAllStandardError().constData());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark) && !readFile(mark).isEmpty(), 30000);
        QCOMPARE(QString::fromUtf8(readFile(mark)), program);
    }

    void aSessionSkipsTheEntryOfARemovedProgram() {
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty()) {
            QSKIP("gio is not installed (Debian package libglib2.0-bin)");
        }
        test::TestEnvironment env;
        // A percent sign in the path has the entry start env, which the session
        // would find and run whatever became of the program; only TryExec
        // tells it that the program is gone.
        const QString program = env.programFolder() + QStringLiteral("/gone 100%/almanis");
        const QString mark = env.programFolder() + QStringLiteral("/ran");
        writeFile(program, "#!/bin/sh\ntouch '" + mark.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        test::ScriptedUi ui;
        LogonStartup startUp(ui, program);
        startUp.enable();
        QVERIFY(QFile::remove(program));
        QProcess launch;
        launch.start(gio, {QStringLiteral("launch"),
                           startUp.autostartFolder() + QStringLiteral("/almanis.desktop")});
        QVERIFY(launch.waitForFinished(30000));
        // The entry does not load, so nothing is started, not even a shell.
        QVERIFY(launch.exitCode() != 0);
        QVERIFY(!QFile::exists(mark));
    }

    void entryNamesTheRunningProgram() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        // Another executable beside the program is of no account.
        writeFile(env.programFolder() + QStringLiteral("/aaa-other"), "#!/bin/sh\n");
        LogonStartup startUp(ui, env.services.executablePath);
        QCOMPARE(startUp.autostartFolder(), env.configFolder() + QStringLiteral("/autostart"));
        QVERIFY(!QFileInfo::exists(startUp.autostartFolder()));
        startUp.enable();  // creates the missing folder
        QCOMPARE(QDir(startUp.autostartFolder()).entryList(QDir::Files),
                 QStringList{"almanis.desktop"});
        const QByteArray entry =
            readFile(startUp.autostartFolder() + QStringLiteral("/almanis.desktop"));
        for (const char* line : {"[Desktop Entry]\n", "\nType=Application\n", "\nName=Almanis\n",
                                 "\nIcon=almanis\n", "\nComment=", "\nTryExec="}) {
            QVERIFY2(entry.contains(line), line);
        }
        QCOMPARE(*parseExec(entry), QStringList{env.services.executablePath});
        QVERIFY(ui.boxes.isEmpty());
    }

    void programAtTheRootGetsOneSlash() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        LogonStartup startUp(ui, QStringLiteral("/almanis"));
        startUp.enable();
        QCOMPARE(
            *parseExec(readFile(startUp.autostartFolder() + QStringLiteral("/almanis.desktop"))),
            QStringList{"/almanis"});
    }

    void registeringTwiceOverwritesAndRemovingTwiceIsHarmless() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        const QString entry = env.configFolder() + QStringLiteral("/autostart/almanis.desktop");
        LogonStartup(ui, QStringLiteral("/old place/almanis")).enable();
        LogonStartup startUp(ui, env.services.executablePath);
        startUp.enable();
        QCOMPARE(*parseExec(readFile(entry)), QStringList{env.services.executablePath});
        QCOMPARE(QDir(startUp.autostartFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"almanis.desktop"});
        startUp.disable();
        QVERIFY(!QFile::exists(entry));
        startUp.disable();
        QVERIFY(ui.boxes.isEmpty());
    }

    void removingLeavesOtherEntriesAlone() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        const QString folder = env.configFolder() + QStringLiteral("/autostart");
        writeFile(folder + QStringLiteral("/other.desktop"), "[Desktop Entry]\n");
        LogonStartup startUp(ui, env.services.executablePath);
        startUp.enable();
        startUp.disable();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"other.desktop"});
    }

    void aForeignFileWithOurNameIsReplacedWholeByOurWrite() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        const QString entry = env.configFolder() + QStringLiteral("/autostart/almanis.desktop");
        writeFile(entry, QByteArray(5000, 'x') + "\nExec=/usr/bin/evil\n");
        LogonStartup startUp(ui, env.services.executablePath);
        startUp.enable();
        const QByteArray written = readFile(entry);
        QVERIFY(!written.contains("evil"));
        QVERIFY(written.startsWith("[Desktop Entry]\n"));
    }

    void aLinkWithOurNameIsReplacedNotWrittenThrough() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        const QString target = env.programFolder() + QStringLiteral("/someone-elses.desktop");
        writeFile(target, "theirs");
        const QString entry = env.configFolder() + QStringLiteral("/autostart/almanis.desktop");
        QDir().mkpath(QFileInfo(entry).path());
        QVERIFY(QFile::link(target, entry));
        LogonStartup(ui, env.services.executablePath).enable();
        QCOMPARE(readFile(target), QByteArray("theirs"));
        QVERIFY(!QFileInfo(entry).isSymLink());
        QVERIFY(readFile(entry).startsWith("[Desktop Entry]\n"));
    }

    void failuresAreToldOnceNamingTheFolder_data() {
        QTest::addColumn<bool>("adding");
        QTest::newRow("write into a file that stands for the folder") << true;
        QTest::newRow("delete an entry that cannot be deleted") << false;
    }
    void failuresAreToldOnceNamingTheFolder() {
        QFETCH(bool, adding);
        test::TestEnvironment env;
        test::ScriptedUi ui;
        const QString folder = env.configFolder() + QStringLiteral("/autostart");
        // Blocked the same way for every user, the superuser too.
        if (adding) {
            writeFile(folder, "a file, not a folder");
        } else {
            writeFile(folder + QStringLiteral("/almanis.desktop/inside"), "a folder with our name");
        }
        LogonStartup startUp(ui, env.services.executablePath);
        adding ? startUp.enable() : startUp.disable();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes[0].kind, QStringLiteral("inform"));
        QVERIFY2(ui.boxes[0].text.contains(folder + QLatin1Char(':')),
                 qPrintable(ui.boxes[0].text));
        QVERIFY(ui.boxes[0].text.contains(adding ? QStringLiteral("not a folder")
                                                 : QStringLiteral("removed")));
    }

    void writingIntoABlockedEntryIsTold() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        writeFile(env.configFolder() + QStringLiteral("/autostart/almanis.desktop/inside"), "x");
        LogonStartup(ui, env.services.executablePath).enable();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(readFile(env.configFolder() + QStringLiteral("/autostart/almanis.desktop/inside")),
                 QByteArray("x"));
    }

    void withoutAProgramNothingHappens() {
        test::TestEnvironment env;
        test::ScriptedUi ui;
        LogonStartup startUp(ui, QString());
        startUp.enable();
        startUp.disable();
        QVERIFY(!QFileInfo::exists(startUp.autostartFolder()));
        QVERIFY(ui.boxes.isEmpty());
    }

    void entryNamesNeverLeaveTheFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../escaped";
        QTest::newRow("dot-dot") << "..";
        QTest::newRow("empty") << "";
    }
    void entryNamesNeverLeaveTheFolder() {
        QFETCH(QString, name);
        test::TestEnvironment env;
        const AutostartFolder folder(env.configFolder() + QStringLiteral("/autostart"));
        QVERIFY(!folder.writeEntry(name, QStringLiteral("/x")).ok);
        QVERIFY(!QFile::exists(env.configFolder() + QStringLiteral("/escaped.desktop")));
        QCOMPARE(QDir(env.configFolder() + QStringLiteral("/autostart")).entryList(QDir::Files),
                 QStringList());
    }
};

ALMANIS_TEST_MAIN(LogonStartupTest)
#include "tst_logon_startup.moc"
