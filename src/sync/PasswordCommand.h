#pragma once

#include "sync/SecretStore.h"

#include <QProcess>
#include <QTimer>
#include <chrono>

namespace almanis {

// Asks a command for a password, as `pass show dav/example` or a keyring's own
// tool would print it: the command line is split into the program and its
// arguments as a shell splits words (quotes group), but no shell runs it, so
// nothing in it is expanded or redirected (write `sh -c '...'` for that). The
// first line it prints is the password; what else it prints is ignored. It
// runs with no input and may take a while (a key's passphrase may be asked
// for), but not for ever.
class PasswordCommand final : public SecretRequest {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kLongest{120000};

    explicit PasswordCommand(const QString& commandLine, QObject* parent = nullptr);
    ~PasswordCommand() override;

  private:
    void ended(int exitCode, QProcess::ExitStatus exitStatus);

    QString commandLine_;
    QProcess process_;
    QTimer limit_;
};

}  // namespace almanis
