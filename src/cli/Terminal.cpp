#include "cli/Terminal.h"

#include <termios.h>
#include <unistd.h>
#include <cstdio>
#include <string>

namespace almanis {

namespace {
std::optional<QString> lineOfInput() {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        line.push_back(static_cast<char>(c));
    }
    if (c == EOF && line.empty()) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
}

void show(const QString& prompt) {
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
}  // namespace

bool SystemTerminal::interactive() const {
    return isatty(STDIN_FILENO) == 1;
}

std::optional<QString> SystemTerminal::ask(const QString& prompt) {
    show(prompt);
    return lineOfInput();
}

std::optional<QString> SystemTerminal::askHidden(const QString& prompt) {
    show(prompt);
    termios before{};
    const bool canHide = tcgetattr(STDIN_FILENO, &before) == 0;
    if (canHide) {
        termios hidden = before;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        hidden.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    std::optional<QString> answer = lineOfInput();
    if (canHide) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    }
    return answer;
}

std::optional<QString> SystemTerminal::readLine() {
    return lineOfInput();
}

}  // namespace almanis
