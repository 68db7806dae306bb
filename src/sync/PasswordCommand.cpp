#include "sync/PasswordCommand.h"

namespace almanis {

namespace {
// The words of a command line as a POSIX shell splits them: blanks separate,
// '...' keeps everything as it is, "..." keeps all but \" \\ \$ and \`, and a
// backslash outside quotes keeps the next character. Nothing is expanded.
// Nothing when a quote is not closed.
std::optional<QStringList> commandWords(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype close = line.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0) {
                return std::nullopt;
            }
            word += line.mid(i + 1, close - i - 1);
            inWord = true;
            i = close;
        } else if (c == QLatin1Char('"')) {
            inWord = true;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    return std::nullopt;
                }
                if (line[i] == QLatin1Char('"')) {
                    break;
                }
                if (line[i] == QLatin1Char('\\') && i + 1 < line.size() &&
                    QStringLiteral("\"\\$`").contains(line[i + 1])) {
                    ++i;
                }
                word += line[i];
            }
        } else if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}
}  // namespace

PasswordCommand::PasswordCommand(const QString& commandLine, QObject* parent)
    : SecretRequest(parent), commandLine_(commandLine.trimmed()) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] {
        process_.disconnect(this);
        process_.kill();
        fail(tr("the password command did not end within %1 seconds")
                 .arg(std::chrono::duration_cast<std::chrono::seconds>(kLongest).count()));
    });
    connect(&process_, &QProcess::finished, this, &PasswordCommand::ended);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            limit_.stop();
            process_.disconnect(this);
            fail(tr("the password command \"%1\" could not be started: %2")
                     .arg(commandLine_, process_.errorString()));
        }
    });
    std::optional<QStringList> words = commandWords(commandLine_);
    if (!words || words->isEmpty()) {
        const QString why = !words ? tr("the password command \"%1\" has a quote that is not "
                                        "closed")
                                         .arg(commandLine_)
                                   : tr("the password command is empty");
        // Told from the event loop, as every request finishes.
        QTimer::singleShot(0, this, [this, why] { fail(why); });
        return;
    }
    const QString program = words->takeFirst();
    process_.start(program, *words, QIODevice::ReadOnly);
    limit_.start(kLongest);
}

PasswordCommand::~PasswordCommand() {
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

void PasswordCommand::ended(int exitCode, QProcess::ExitStatus exitStatus) {
    limit_.stop();
    process_.disconnect(this);
    if (exitStatus != QProcess::NormalExit || exitCode != 0) {
        // What it says on its error output, which holds no password.
        const QString said = QString::fromLocal8Bit(process_.readAllStandardError())
                                 .trimmed()
                                 .section(QLatin1Char('\n'), 0, 0)
                                 .left(200);
        const QString status =
            exitStatus == QProcess::NormalExit ? tr("status %1").arg(exitCode) : tr("a crash");
        fail(said.isEmpty()
                 ? tr("the password command \"%1\" ended with %2").arg(commandLine_, status)
                 : tr("the password command \"%1\" ended with %2: %3")
                       .arg(commandLine_, status, said));
        return;
    }
    const QByteArray output = process_.readAllStandardOutput();
    const qsizetype lineEnd = output.indexOf('\n');
    QString password = QString::fromUtf8(lineEnd < 0 ? output : output.left(lineEnd));
    if (password.endsWith(QLatin1Char('\r'))) {
        password.chop(1);
    }
    if (password.isEmpty()) {
        fail(tr("the password command \"%1\" printed no password").arg(commandLine_));
        return;
    }
    succeed(password);
}

}  // namespace almanis
