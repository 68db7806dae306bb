#include "Checks.h"
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

// The Exec line of an entry as a desktop session reads it: the string escapes
// undone first, then the line split into arguments by its quoting rules, then
// "%%" taken as "%". Nothing when the line breaks the rules.
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

QString autostartFolder(const test::TestEnvironment& env) {
    return env.configFolder() + QStringLiteral("/autostart");
}
QString entryPath(const test::TestEnvironment& env) {
    return autostartFolder(env) + QStringLiteral("/almanis.desktop");
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
        LogonStartup(env.ui, path).enable();
        const QString entry = LogonStartup(env.ui, path).autostartFolder() + QLatin1Char('/') +
                              QFileInfo(path).fileName() + QStringLiteral(".desktop");
        QVERIFY(QFile::exists(entry));
        QProcess run;
        run.start(validator, {entry});
        QVERIFY(run.waitForFinished(30000));
        const QByteArray output = run.readAllStandardOutput() + run.readAllStandardError();
        QVERIFY2(run.exitCode() == 0 && output.trimmed().isEmpty(), output.constData());
    }

    // Started the way a session does it, from the entry; the program here is a
    // script at an awkward path that leaves a mark when it runs. A percent sign
    // in the path has the entry start env, which the session would find and
    // run whatever became of the program; only TryExec tells it that the
    // program is gone, so that nothing is started, not even a shell.
    void aSessionStartsTheProgramTheEntryNames_data() {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<bool>("removed");
        QTest::newRow("quotes, dollar, backslash, backquote")
            << "My \"Apps\" $HOME \\ `x`" << false;
        QTest::newRow("percent too") << "My \"Apps\" $HOME 100% \\ `x`" << false;
        QTest::newRow("percent, program removed") << "gone 100%" << true;
    }
    void aSessionStartsTheProgramTheEntryNames() {
        QFETCH(QString, folderName);
        QFETCH(bool, removed);
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty()) {
            QSKIP("gio is not installed (Debian package libglib2.0-bin)");
        }
        test::TestEnvironment env;
        const QString program =
            env.programFolder() + QLatin1Char('/') + folderName + QStringLiteral("/almanis");
        const QString mark = env.programFolder() + QStringLiteral("/ran");
        writeFile(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + mark.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        LogonStartup(env.ui, program).enable();
        if (removed) {
            QVERIFY(QFile::remove(program));
        }
        QProcess launch;
        launch.start(gio, {QStringLiteral("launch"), entryPath(env)});
        QVERIFY(launch.waitForFinished(30000));
        if (removed) {
            QVERIFY(launch.exitCode() != 0);
            QVERIFY(!QFile::exists(mark));
            return;
        }
        QVERIFY2(launch.exitCode() == 0, launch.readAllStandardError().constData());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark) && !readFile(mark).isEmpty(), 30000);
        QCOMPARE(QString::fromUtf8(readFile(mark)), program);
    }

    void entryNamesTheRunningProgram() {
        test::TestEnvironment env;
        // Another executable beside the program is of no account.
        writeFile(env.programFolder() + QStringLiteral("/aaa-other"), "#!/bin/sh\n");
        LogonStartup startUp(env.ui, env.services.executablePath);
        QCOMPARE(startUp.autostartFolder(), autostartFolder(env));
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
        QVERIFY(env.ui.boxes.isEmpty());
    }

    void programAtTheRootGetsOneSlash() {
        test::TestEnvironment env;
        LogonStartup startUp(env.ui, QStringLiteral("/almanis"));
        startUp.enable();
        QCOMPARE(
            *parseExec(readFile(startUp.autostartFolder() + QStringLiteral("/almanis.desktop"))),
            QStringList{"/almanis"});
    }

    void registeringTwiceOverwritesAndRemovingTwiceIsHarmless() {
        test::TestEnvironment env;
        const QString entry = entryPath(env);
        LogonStartup(env.ui, QStringLiteral("/old place/almanis")).enable();
        LogonStartup startUp(env.ui, env.services.executablePath);
        startUp.enable();
        QCOMPARE(*parseExec(readFile(entry)), QStringList{env.services.executablePath});
        QCOMPARE(QDir(startUp.autostartFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"almanis.desktop"});
        startUp.disable();
        QVERIFY(!QFile::exists(entry));
        startUp.disable();
        QVERIFY(env.ui.boxes.isEmpty());
    }

    void removingLeavesOtherEntriesAlone() {
        test::TestEnvironment env;
        const QString folder = autostartFolder(env);
        writeFile(folder + QStringLiteral("/other.desktop"), "[Desktop Entry]\n");
        LogonStartup startUp(env.ui, env.services.executablePath);
        startUp.enable();
        startUp.disable();
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"other.desktop"});
    }

    // A file of someone else's with our name, or a link to one, is replaced
    // whole by our entry; what the link led to stays as it was.
    void somethingWithOurNameIsReplacedWhole_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a foreign file") << false;
        QTest::newRow("a link to someone else's file") << true;
    }
    void somethingWithOurNameIsReplacedWhole() {
        QFETCH(bool, link);
        test::TestEnvironment env;
        const QString theirs = env.programFolder() + QStringLiteral("/someone-elses.desktop");
        const QByteArray content = QByteArray(5000, 'x') + "\nExec=/usr/bin/evil\n";
        if (link) {
            writeFile(theirs, content);
            QDir().mkpath(autostartFolder(env));
            QVERIFY(QFile::link(theirs, entryPath(env)));
        } else {
            writeFile(entryPath(env), content);
        }
        LogonStartup(env.ui, env.services.executablePath).enable();
        const QByteArray written = readFile(entryPath(env));
        QVERIFY(!written.contains("evil"));
        QVERIFY(written.startsWith("[Desktop Entry]\n"));
        QVERIFY(!QFileInfo(entryPath(env)).isSymLink());
        QCOMPARE(readFile(theirs), link ? content : QByteArray());
    }

    // Blocked the same way for every user, the superuser too: a file where
    // the folder should be, or a folder with the entry's name.
    void failuresAreToldOnceNamingTheFolder_data() {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("reason");  // empty: the system's own words
        QTest::newRow("write into a file that stands for the folder")
            << "" << true << "not a folder";
        QTest::newRow("write over a folder with our name")
            << "/almanis.desktop/inside" << true << "";
        QTest::newRow("delete an entry that cannot be deleted")
            << "/almanis.desktop/inside" << false << "removed";
    }
    void failuresAreToldOnceNamingTheFolder() {
        QFETCH(QString, blocker);
        QFETCH(bool, adding);
        QFETCH(QString, reason);
        test::TestEnvironment env;
        writeFile(autostartFolder(env) + blocker, "in the way");
        LogonStartup startUp(env.ui, env.services.executablePath);
        adding ? startUp.enable() : startUp.disable();
        QCOMPARE(env.ui.boxes.size(), 1);
        QCOMPARE(env.ui.boxes[0].kind, QStringLiteral("inform"));
        ALMANIS_VERIFY_CONTAINS(env.ui.boxes[0].text, autostartFolder(env) + QLatin1Char(':'));
        ALMANIS_VERIFY_CONTAINS(env.ui.boxes[0].text, reason);
        QCOMPARE(readFile(autostartFolder(env) + blocker), QByteArray("in the way"));
    }

    void withoutAProgramNothingHappens() {
        test::TestEnvironment env;
        LogonStartup startUp(env.ui, QString());
        startUp.enable();
        startUp.disable();
        QVERIFY(!QFileInfo::exists(startUp.autostartFolder()));
        QVERIFY(env.ui.boxes.isEmpty());
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
        const AutostartFolder folder(autostartFolder(env));
        QVERIFY(!folder.writeEntry(name, QStringLiteral("/x")).ok);
        QVERIFY(!QFile::exists(env.configFolder() + QStringLiteral("/escaped.desktop")));
        QCOMPARE(QDir(autostartFolder(env)).entryList(QDir::Files), QStringList());
    }
};

ALMANIS_TEST_MAIN(LogonStartupTest)
#include "tst_logon_startup.moc"
