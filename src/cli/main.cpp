#include "AlmanisVersion.h"
#include "cli/CommandLineTool.h"
#include "cli/Terminal.h"
#include "core/Clock.h"
#include "core/Translations.h"
#include "sync/HttpTransport.h"
#include "sync/KeychainSecretStore.h"

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
    almanis::KeychainSecretStore secrets;
    almanis::NetworkTransport network;
    almanis::SystemTerminal terminal;
    almanis::CommandLineTool tool(clock, QCoreApplication::applicationDirPath(), out, err,
                                  {secrets, network, terminal});
    return tool.run(QCoreApplication::arguments());
}
