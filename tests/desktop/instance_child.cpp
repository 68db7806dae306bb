// A start of the program as far as its single-instance check goes: claims the
// socket given as the argument, says what came of it on standard output, and
// when it runs, says "shown" each time a later start asks it to show itself.
// It says "waiting" when another start holds the claim.
//
// With "--listen-as UID ANSWER PATH" it is something else in the program's
// place instead: it binds PATH, becomes the user UID, listens, says
// "listening", and answers each connection with the line ANSWER (nothing when
// ANSWER is empty) once it has read an empty line or the end; then it says
// "heard N bytes".
#include "desktop/SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int listenAs(uid_t user, const std::string& answer, const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof(address.sun_path) - 1);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (server < 0 || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        (user != ::getuid() && ::setuid(user) != 0) || ::listen(server, 4) != 0) {
        return 1;
    }
    std::puts("listening");
    std::fflush(stdout);
    for (;;) {
        const int client = ::accept(server, nullptr, nullptr);
        std::string heard;
        char buffer[256];
        ssize_t got = 0;
        while (heard.find("\n\n") == std::string::npos &&
               (got = ::read(client, buffer, sizeof(buffer))) > 0) {
            heard.append(buffer, size_t(got));
        }
        if (!answer.empty()) {
            const std::string line = answer + "\n";
            (void)!::send(client, line.data(), line.size(), MSG_NOSIGNAL);
        }
        ::close(client);
        std::printf("heard %zu bytes\n", heard.size());
        std::fflush(stdout);
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--listen-as") == 0) {
        return listenAs(uid_t(std::strtoul(argv[2], nullptr, 10)), argv[3], argv[4]);
    }
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
