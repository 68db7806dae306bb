#pragma once

#include <QObject>
#include <QString>

namespace almanis {

// One read, write or removal of a password in flight. It finishes once, from
// the event loop; the caller owns it and may delete it then.
class SecretRequest : public QObject {
    Q_OBJECT
  public:
    bool isFinished() const { return finished_; }
    // Why it failed, in words (translated, in lower case); empty when it worked.
    QString error() const { return error_; }
    // The password read; empty for writes and removals.
    QString password() const { return password_; }

  signals:
    void finished();

  protected:
    explicit SecretRequest(QObject* parent = nullptr) : QObject(parent) {}
    // Ends the request: with the password read, or with why it failed.
    void succeed(const QString& password = QString()) {
        password_ = password;
        finished_ = true;
        emit finished();
    }
    void fail(const QString& error) {
        error_ = error;
        finished_ = true;
        emit finished();
    }

  private:
    bool finished_ = false;
    QString error_;
    QString password_;
};

// Where the passwords of the accounts are kept: the desktop's secret store in
// the program, a memory in tests. Keys are passwordKey()s. Nothing of it ever
// reaches a file of Almanis's.
class SecretStore {
  public:
    virtual ~SecretStore() = default;

    // Reads the password kept under `key`; fails, saying so, when there is none.
    virtual SecretRequest* read(const QString& key) = 0;
    // Keeps the password under `key`, replacing any kept there.
    virtual SecretRequest* write(const QString& key, const QString& password) = 0;
    // Forgets the password under `key`; done too when there was none.
    virtual SecretRequest* remove(const QString& key) = 0;
};

}  // namespace almanis
