#include "AlmanisVersion.h"
#include "cli/CommandLineTool.h"
#include "core/Clock.h"
#include "core/Translations.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("almanis-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ALMANIS_VERSION));
    almanis::Translations::install(app, QCoreApplication::applicationDirPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    almanis::SystemClock clock;
    almanis::CommandLineTool tool(clock, QCoreApplication::applicationDirPath(), out, err);
    return tool.run(QCoreApplication::arguments());
}
