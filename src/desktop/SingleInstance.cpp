#include "desktop/SingleInstance.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

namespace almanis {

namespace {
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownAnswer = QByteArrayLiteral("shown\n");
// A crashed copy's lock is taken over after this long.
constexpr int kLockStaleMs = 10000;
}  // namespace

SingleInstance::SingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), serverPath_(std::move(serverPath)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            answer(socket);
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
}

QString SingleInstance::serverPathFor(const QString& dataFolder) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    // The data folder's path may be long or hold any character; its hash
    // keeps the socket's name short and plain.
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(dataFolder).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/almanis-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::Outcome SingleInstance::claim() {
    // The lock makes "ask, else listen" one step, so that two starts at the
    // same moment cannot both find no copy and both listen.
    QLockFile lock(serverPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(kLockStaleMs);
    if (!lock.tryLock(0)) {
        emit waitingForAnotherStart();
        lock.tryLock(kLockStaleMs);
    }
    if (askRunningCopy()) {
        return Outcome::AnotherCopyRuns;
    }
    // Nobody answers: the socket, if any, is a killed copy's.
    QLocalServer::removeServer(serverPath_);
    if (!server_.listen(serverPath_)) {
        // Without the socket the program still runs; later starts then run
        // beside it, as they did before there was a single running copy.
        qWarning("Other starts cannot reach this copy of Almanis: %s",
                 qPrintable(server_.errorString()));
    }
    return Outcome::ThisCopyRuns;
}

bool SingleInstance::askRunningCopy() {
    if (!QFileInfo::exists(serverPath_)) {
        return false;
    }
    // Waiting in an event loop, not blocking: the copy that answers may be
    // this very thread's, as in the tests.
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool connected = false;
    connect(&socket, &QLocalSocket::connected, &loop, [&] {
        connected = true;
        socket.write(kShowRequest);
    });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) {
            loop.quit();
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(kAnswerTimeoutMs);
    socket.connectToServer(serverPath_);
    if (socket.state() != QLocalSocket::UnconnectedState) {
        loop.exec();
    }
    return connected;
}

void SingleInstance::answer(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            return;
        }
        if (socket->readLine() == kShowRequest) {
            // Answer first: showing may open nested event loops, and the start
            // that asked must not wait for them.
            socket->write(kShownAnswer);
            socket->flush();
            emit showRequested();
        }
        socket->disconnectFromServer();
    });
}

}  // namespace almanis
