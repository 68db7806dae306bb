// A start of the program as far as its single-instance check goes: claims the
// socket given as the argument, says what came of it on standard output, and
// when it runs, says "shown" each time a later start asks it to show itself.
// It says "waiting" when another start holds the claim.
#include "desktop/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    almanis::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    QObject::connect(&instance, &almanis::SingleInstance::showRequested, &app, [] {
        std::puts("shown");
        std::fflush(stdout);
    });
    QObject::connect(&instance, &almanis::SingleInstance::waitingForAnotherStart, &app, [] {
        std::puts("waiting");
        std::fflush(stdout);
    });
    if (instance.claim() == almanis::SingleInstance::Outcome::AnotherCopyRuns) {
        std::puts("another copy runs");
        return 0;
    }
    std::puts("runs");
    std::fflush(stdout);
    return app.exec();
}
