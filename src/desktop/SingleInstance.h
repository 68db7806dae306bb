#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace almanis {

// One running copy of the program per user and data folder. A start first
// asks a running copy to show itself and, when one answers, ends; otherwise it
// becomes the running copy and answers the starts that follow.
class SingleInstance final : public QObject {
    Q_OBJECT
  public:
    enum class Outcome {
        AnotherCopyRuns,  // it was asked to show itself; this start ends
        ThisCopyRuns,     // this start is the running copy now
    };

    // `serverPath` is the socket's full path (see serverPathFor).
    explicit SingleInstance(QString serverPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Asks a running copy to show itself, or becomes the running copy. Two
    // starts racing each other end with one running copy; a socket left by a
    // copy that was killed is taken over.
    Outcome claim();

    const QString& serverPath() const { return serverPath_; }

    // The socket of the user's copy for a data folder: in $XDG_RUNTIME_DIR
    // where set, else in the temporary folder, named after the user and the
    // data folder so that no other user's copy can answer.
    static QString serverPathFor(const QString& dataFolder);

    // How long a start waits for a running copy's answer. A copy that takes
    // the connection but is too busy to answer in time still runs: it shows
    // itself when it gets to the request.
    static constexpr int kAnswerTimeoutMs = 1000;

  signals:
    // A later start asked this copy to show itself.
    void showRequested();
    // Another start is between asking and listening: this one waits for it,
    // and then asks the copy it became.
    void waitingForAnotherStart();

  private:
    // True when a copy took the connection, that is, runs.
    bool askRunningCopy();
    void answer(QLocalSocket* socket);

    QString serverPath_;
    QLocalServer server_;
};

}  // namespace almanis
