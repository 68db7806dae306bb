// tools/check-layers against the repository and against copies of its
// CONTRIBUTING.md and src/ with one thing changed.
#include "Files.h"
#include "TestCase.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace almanis;

namespace {

struct Run {
    int status = -1;
    QString output;
};

Run checkLayers(const QString& tree) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(CHECK_LAYERS), {tree});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// CONTRIBUTING.md and src/ of the repository, copied into `to`.
void copySources(const QString& to) {
    const QDir source(QStringLiteral(SOURCE_DIR));
    test::writeFile(to + QStringLiteral("/CONTRIBUTING.md"),
                    test::readFile(source.filePath(QStringLiteral("CONTRIBUTING.md"))));
    QDirIterator files(source.filePath(QStringLiteral("src")), QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString copy = to + QLatin1Char('/') + source.relativeFilePath(file);
        test::writeFile(copy, test::readFile(file));
    }
}

}  // namespace

class CheckLayersTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void initTestCase() { copySources(tree_.path()); }

    void theRepositoryKeepsItsLayers() {
        const Run run = checkLayers(QStringLiteral(SOURCE_DIR));
        QCOMPARE(run.output, QString());
        QCOMPARE(run.status, 0);
    }

    // One change to a copy of the sources: `line` appended to `file` (made when
    // missing), or, where `pattern` is given, put in place of what it matches.
    // `offence` is a line the check must print, "%1" standing for the appended
    // line's number (any number after a replacement); none when the change
    // keeps the layers.
    void oneChange_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("offence");
        const auto append = [](const char* name, const char* file, const char* line,
                               const char* offence) {
            QTest::newRow(name) << file << QString() << line << offence;
        };
        append("include from below", "src/store/Sql.h", "#include \"reminders/EventRows.h\"",
               "src/store/Sql.h:%1: #include \"reminders/EventRows.h\": reminders/ stands "
               "below store/");
        append("the view's model in a file format", "src/exchange/EventText.cpp",
               "#include \"reminders/EventListModel.h\"",
               "src/exchange/EventText.cpp:%1: #include \"reminders/EventListModel.h\": "
               "reminders/ stands below exchange/");
        append("a command including the main window", "src/editing/FileCommands.cpp",
               "  #  include \"mainwindow/MainWindow.h\"  // spaced",
               "src/editing/FileCommands.cpp:%1:   #  include \"mainwindow/MainWindow.h\"  // "
               "spaced: mainwindow/ stands below editing/");
        append("the alarm including the main window", "src/alarm/AlarmWindow.h",
               "#include \"mainwindow/OptionsPanel.h\"",
               "src/alarm/AlarmWindow.h:%1: #include \"mainwindow/OptionsPanel.h\": mainwindow/ "
               "stands below alarm/");
        append("widget class header in core", "src/core/Ui.h", "#include <QWidget>",
               "src/core/Ui.h:%1: #include <QWidget>: a Qt Widgets header in core/, which needs "
               "no widgets");
        append("widget header by module in reminders", "src/reminders/DueCheck.cpp",
               "#include <QtWidgets/QPushButton>",
               "src/reminders/DueCheck.cpp:%1: #include <QtWidgets/QPushButton>: a Qt Widgets "
               "header in reminders/, which needs no widgets");
        append("the whole widget module in desktop", "src/desktop/TrayIcon.h",
               "#include <QtWidgets>",
               "src/desktop/TrayIcon.h:%1: #include <QtWidgets>: a Qt Widgets header in desktop/, "
               "which needs no widgets");
        append("lower-case widget header in the command line", "src/cli/CommandLineTool.cpp",
               "#include <qlabel.h>",
               "src/cli/CommandLineTool.cpp:%1: #include <qlabel.h>: a Qt Widgets header in "
               "cli/, which needs no widgets");
        append("widget header in a file format", "src/exchange/New.h", "#include <QDialog>",
               "src/exchange/New.h:%1: #include <QDialog>: a Qt Widgets header in exchange/, "
               "which needs no widgets");
        append("linking a library from below", "src/store/CMakeLists.txt",
               "target_link_libraries(almanis_store PRIVATE almanis_reminders)",
               "src/store/CMakeLists.txt:%1: links almanis_reminders: reminders/ stands below "
               "store/");
        append("linking widgets", "src/reminders/CMakeLists.txt",
               "target_link_libraries(almanis_reminders PRIVATE Qt6::Widgets)",
               "src/reminders/CMakeLists.txt:%1: links Qt6::Widgets: reminders/ needs no widgets");
        append("a folder the table leaves out", "src/plugins/Plugin.h", "#pragma once",
               "src/plugins/: not a row of CONTRIBUTING.md's table");
        append("widgets in widgets/", "src/widgets/Skin.h", "#include <QtWidgets/QWidget>", "");
        append("Qt Core and Gui in core", "src/core/Ui.h", "#include <QObject>\n#include <QIcon>",
               "");
        append("a header the build makes", "src/store/Sql.cpp", "#include \"AlmanisVersion.h\"",
               "");
        append("from above", "src/editing/EventEditor.cpp", "#include \"alarm/AlarmWindow.h\"", "");
        append("the program includes every layer", "src/main.cpp",
               "#include \"mainwindow/StoreCare.h\"", "");
        // The order is read from the table: exchange/ moved below editing/.
        QTest::newRow("the table reordered")
            << "CONTRIBUTING.md"
            << "(\\| `exchange/`[^\\n]*\\n)(.*\\| `editing/`[^\\n]*\\n)"
            << "\\2\\1"
            << "src/editing/FileCommands.cpp:%1: #include \"exchange/EventText.h\": exchange/ "
               "stands below editing/";
        QTest::newRow("the build's order differs from the table")
            << "src/CMakeLists.txt"
            << "(add_subdirectory\\(core\\)[^\\n]*\\n)(add_subdirectory\\(store\\)[^\\n]*\\n)"
            << "\\2\\1"
            << "src/CMakeLists.txt: adds store core exchange reminders sync cli desktop widgets "
               "alarm editing mainwindow; CONTRIBUTING.md's table lists core store exchange "
               "reminders sync cli desktop widgets alarm editing mainwindow";
    }
    void oneChange() {
        QFETCH(QString, file);
        QFETCH(QString, pattern);
        QFETCH(QString, line);
        QFETCH(QString, offence);
        // The copy is shared: the change is undone whatever the row's outcome.
        const QString path = tree_.filePath(file);
        const QByteArray original = test::readFile(path);
        const bool existed = QFile::exists(path);
        const auto undo = qScopeGuard([&] {
            if (existed) {
                test::writeFile(path, original);
            } else {
                QFile::remove(path);
                QDir().rmdir(QFileInfo(path).path());
            }
        });
        QString text = QString::fromUtf8(original);
        if (pattern.isEmpty()) {
            text += line + QLatin1Char('\n');
        } else {
            const QString before = text;
            text.replace(
                QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption), line);
            QVERIFY(text != before);
        }
        test::writeFile(path, text.toUtf8());
        const Run run = checkLayers(tree_.path());
        if (offence.isEmpty()) {
            QCOMPARE(run.output, QString());
            QCOMPARE(run.status, 0);
        } else {
            const QString lineNumber = pattern.isEmpty()
                                           ? QString::number(text.count(QLatin1Char('\n')))
                                           : QStringLiteral("[0-9]+");
            QStringList parts = offence.split(QStringLiteral("%1"));
            for (QString& part : parts) {
                part = QRegularExpression::escape(part);
            }
            const QRegularExpression printed(
                QLatin1Char('^') + parts.join(lineNumber) + QLatin1Char('$'),
                QRegularExpression::MultilineOption);
            QVERIFY2(printed.match(run.output).hasMatch(), qPrintable(run.output));
            QCOMPARE(run.status, 1);
        }
    }

  private:
    QTemporaryDir tree_;
};

ALMANIS_TEST_MAIN(CheckLayersTest)
#include "tst_check_layers.moc"
