#include "core/CommandLine.h"

#include "AlmanisVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace almanis {

namespace {

// The options that QGuiApplication and QApplication read themselves: each is
// accepted here and left for them, but not listed in the help.
void acceptQtOptions(QCommandLineParser& parser) {
    const auto hidden = [&](const QString& name, bool takesValue) {
        QCommandLineOption option(name);
        if (takesValue) {
            option.setValueName(QStringLiteral("value"));
        }
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "style", "stylesheet", "name", "title", "qmljsdebugger"}) {
        hidden(QLatin1String(name), true);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        hidden(QLatin1String(name), false);
    }
}

QString programName(const QStringList& arguments) {
    return arguments.isEmpty() ? QStringLiteral("almanis") : arguments.first();
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's own options are words after a single dash ("-style"), not letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "almanis::CommandLine", "Reminds you of birthdays, anniversaries and holidays."));
    // Not addHelpOption(): its --help-all promises Qt's options, which are
    // not known before the window system is.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("almanis::CommandLine", "Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    acceptQtOptions(parser);

    CommandLine result;
    const auto usageError = [&](const QString& message) {
        result.starts_ = false;
        result.exitCode_ = 2;
        result.error_ = programName(arguments) + QStringLiteral(": ") + message +
                        QLatin1Char('\n') +
                        QCoreApplication::translate("almanis::CommandLine",
                                                    "Try '%1 --help' for more information.")
                            .arg(programName(arguments)) +
                        QLatin1Char('\n');
    };
    if (!parser.parse(arguments)) {
        usageError(parser.errorText());
    } else if (parser.isSet(help)) {
        result.starts_ = false;
        result.output_ = parser.helpText();
    } else if (parser.isSet(version)) {
        result.starts_ = false;
        result.output_ = QStringLiteral("almanis " ALMANIS_VERSION "\n");
    } else if (!parser.positionalArguments().isEmpty()) {
        usageError(QCoreApplication::translate("almanis::CommandLine", "Unexpected argument '%1'.")
                       .arg(parser.positionalArguments().first()));
    }
    return result;
}

}  // namespace almanis
