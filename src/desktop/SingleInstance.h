#pragma once

#include <QLocalServer>
#include <QMap>
#include <QObject>
#include <QString>

namespace almanis {

// One running copy of the program per user and data folder. A start first
// asks a running copy to show itself and, when one answers, ends; otherwise it
// becomes the running copy and answers the starts that follow.
//
// The socket lives in a folder that belongs to the user alone, and a start
// believes only an answer of the user's own copy: the peer's user id comes
// from the socket's credentials, and the copy must answer the request in
// words of the protocol. The request is a line "show", then a line
// "key=value" for each field (see setRequestField), then an empty line; the
// answer is the line "shown".
class SingleInstance final : public QObject {
    Q_OBJECT
  public:
    enum class Outcome {
        AnotherCopyRuns,  // it was asked to show itself; this start ends
        ThisCopyRuns,     // this start is the running copy now, or runs beside it (see problem())
    };

    // `serverPath` is the socket's full path (see serverPathFor).
    explicit SingleInstance(QString serverPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // A field the request to the running copy carries beside "show". Line
    // breaks in either part are left out, as they would end the field.
    void setRequestField(const QString& key, const QString& value);

    // Asks a running copy to show itself, or becomes the running copy. Two
    // starts racing each other end with one running copy; a socket left by a
    // copy that was killed is taken over, and anything else in the socket's
    // place is moved aside and kept. Whatever keeps later starts from
    // reaching this copy is told by problem(); the program runs all the same.
    Outcome claim();

    // Why later starts may not reach this copy, in words for the user; empty
    // when nothing stood in the way.
    const QString& problem() const { return problem_; }

    const QString& serverPath() const { return serverPath_; }

    // The socket of the user's copy for a data folder: in $XDG_RUNTIME_DIR
    // where it is set and a folder of the user's alone, else in a folder of
    // the user's own in the temporary folder; named after the user and the
    // data folder.
    static QString serverPathFor(const QString& dataFolder);

    // How long a start waits for a running copy's answer. A copy of the
    // user's that takes the connection but does not answer in time is left
    // running, and this start runs beside it.
    static constexpr int kAnswerTimeoutMs = 3000;

    // The request's field that carries the launcher's activation token
    // (XDG_ACTIVATION_TOKEN), the desktop's permission for the running copy
    // to bring its window forward where only such a token allows it (Wayland).
    static constexpr char kActivationTokenField[] = "activation-token";

  signals:
    // A later start asked this copy to show itself, with the request's fields.
    void showRequested(const QMap<QString, QString>& fields);
    // Another start is between asking and listening: this one waits for it,
    // and then asks the copy it became.
    void waitingForAnotherStart();

  private:
    enum class Reply { NoCopy, Shown, ForeignPeer, WrongAnswer, NoAnswer };

    Reply askRunningCopy();
    void answer(QLocalSocket* socket);
    void listen();

    QString serverPath_;
    QMap<QString, QString> requestFields_;
    QString problem_;
    QLocalServer server_;
};

}  // namespace almanis
