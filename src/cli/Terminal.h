#pragma once

#include <QString>
#include <optional>

namespace almanis {

// The person at almanis-cli's terminal, where there is one: asked for a
// password and for a choice. Tests answer through a scripted one.
class Terminal {
  public:
    virtual ~Terminal() = default;

    // Whether standard input is a terminal, with someone to answer.
    virtual bool interactive() const = 0;
    // Shows the prompt and reads a line; nothing at the end of the input.
    virtual std::optional<QString> ask(const QString& prompt) = 0;
    // The same without showing what is typed.
    virtual std::optional<QString> askHidden(const QString& prompt) = 0;
    // A line of standard input when it is no terminal; nothing at its end.
    virtual std::optional<QString> readLine() = 0;
};

// The process's own terminal: prompts go to standard error, answers come from
// standard input, a hidden answer with the terminal's echo switched off.
class SystemTerminal final : public Terminal {
  public:
    bool interactive() const override;
    std::optional<QString> ask(const QString& prompt) override;
    std::optional<QString> askHidden(const QString& prompt) override;
    std::optional<QString> readLine() override;
};

}  // namespace almanis
