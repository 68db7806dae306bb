#include "desktop/SingleInstance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QTimer>
#include <cerrno>

namespace almanis {

namespace {
// What another start asked for: QT_LOGGING_RULES="almanis.instance.debug=true"
// shows it.
Q_LOGGING_CATEGORY(instanceLog, "almanis.instance", QtWarningMsg)

const QByteArray kShowRequest = QByteArrayLiteral("show");
const QByteArray kShownAnswer = QByteArrayLiteral("shown\n");
// A request longer than this is no start of the program's.
constexpr qint64 kLongestRequest = 64 * 1024;
// A crashed copy's lock is taken over after this long.
constexpr int kLockStaleMs = 10000;

// True when `folder` is a folder (not a link to one) that belongs to this
// user and that no one else may enter.
bool isPrivateFolder(const QString& folder) {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

// Makes `folder` where it is missing; true when it is then the user's alone.
// A folder of the user's that others may enter is closed to them first.
bool makePrivateFolder(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid()) {
        return false;
    }
    return (status.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

// The user id of the process at the other end of a connected socket, or -1.
qint64 peerUserId(const QLocalSocket& socket) {
    struct ucred credentials {};
    socklen_t size = sizeof(credentials);
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                     &size) != 0) {
        return -1;
    }
    return credentials.uid;
}

// Moves what is at `path` aside when it is anything but a socket, so that
// nothing of the user's is lost: "NAME.moved", or "NAME.moved-2" and so on.
void moveAsideAllButSockets(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || S_ISSOCK(status.st_mode)) {
        return;
    }
    QString aside = path + QStringLiteral(".moved");
    for (int n = 2; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n) {
        aside = path + QStringLiteral(".moved-%1").arg(n);
    }
    ::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData());
}
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

void SingleInstance::setRequestField(const QString& key, const QString& value) {
    const auto oneLine = [](QString text) {
        return text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    };
    requestFields_.insert(oneLine(key).remove(QLatin1Char('=')), oneLine(value));
}

QString SingleInstance::serverPathFor(const QString& dataFolder) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !isPrivateFolder(folder)) {
        // The temporary folder is everyone's: the socket goes into a folder
        // of the user's own there, which claim() makes and checks.
        folder = QDir::tempPath() + QStringLiteral("/almanis-%1").arg(::getuid());
    }
    // The data folder's path may be long or hold any character; its hash
    // keeps the socket's name short and plain.
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(dataFolder).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/almanis-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::Outcome SingleInstance::claim() {
    const QString folder = QFileInfo(serverPath_).path();
    if (!makePrivateFolder(folder)) {
        problem_ = tr("%1 is not a folder that belongs to you alone, so later starts of Almanis "
                      "cannot find this one and will run beside it.")
                       .arg(folder);
        return Outcome::ThisCopyRuns;
    }
    // The lock makes "ask, else listen" one step, so that two starts at the
    // same moment cannot both find no copy and both listen.
    QLockFile lock(serverPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(kLockStaleMs);
    if (!lock.tryLock(0)) {
        emit waitingForAnotherStart();
        lock.tryLock(kLockStaleMs);
    }
    switch (askRunningCopy()) {
        case Reply::Shown:
            return Outcome::AnotherCopyRuns;
        case Reply::NoAnswer:
            // The user's own copy, too busy or stuck: taking its socket away
            // would leave two copies that later starts cannot tell apart.
            problem_ = tr("Another copy of Almanis does not answer, so this one runs beside it.");
            return Outcome::ThisCopyRuns;
        case Reply::ForeignPeer:
            problem_ = tr("A program of another user was listening at %1 in place of Almanis; "
                          "it was not asked anything, and this copy listens there now.")
                           .arg(serverPath_);
            break;
        case Reply::NoCopy:
        case Reply::WrongAnswer:
            break;
    }
    listen();
    return Outcome::ThisCopyRuns;
}

void SingleInstance::listen() {
    // Nothing that answers is there: a socket is a killed copy's, and
    // anything else is moved aside rather than lost.
    moveAsideAllButSockets(serverPath_);
    QLocalServer::removeServer(serverPath_);
    if (!server_.listen(serverPath_)) {
        // Without the socket the program still runs; later starts then run
        // beside it, as they did before there was a single running copy.
        problem_ = tr("Later starts of Almanis cannot reach this one, so they will run beside "
                      "it: %1")
                       .arg(server_.errorString());
    }
}

SingleInstance::Reply SingleInstance::askRunningCopy() {
    struct stat status {};
    if (::lstat(QFile::encodeName(serverPath_).constData(), &status) != 0 ||
        !S_ISSOCK(status.st_mode)) {
        return Reply::NoCopy;
    }
    QByteArray request = kShowRequest + '\n';
    for (auto field = requestFields_.cbegin(); field != requestFields_.cend(); ++field) {
        request += field.key().toUtf8() + '=' + field.value().toUtf8() + '\n';
    }
    request += '\n';

    // Waiting in an event loop, not blocking: the copy that answers may be
    // this very thread's, as in the tests.
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool connected = false;
    bool finished = false;
    Reply reply = Reply::NoCopy;
    // The first outcome holds: a socket closed after it changes nothing.
    const auto done = [&](Reply r) {
        if (!finished) {
            finished = true;
            reply = r;
            loop.quit();
        }
    };
    connect(&socket, &QLocalSocket::connected, &loop, [&] {
        connected = true;
        reply = Reply::NoAnswer;
        // Not a word to a process of another user: the request may carry
        // what only the user's own copy should learn.
        if (peerUserId(socket) != ::getuid()) {
            done(Reply::ForeignPeer);
            return;
        }
        socket.write(request);
    });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) {
            done(socket.readLine() == kShownAnswer ? Reply::Shown : Reply::WrongAnswer);
        } else if (socket.bytesAvailable() > kLongestRequest) {
            done(Reply::WrongAnswer);
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop,
            [&] { done(connected ? Reply::WrongAnswer : Reply::NoCopy); });
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(kAnswerTimeoutMs);
    socket.connectToServer(serverPath_);
    // The connection may have been made, and even refused, before the loop.
    if (!finished && socket.state() != QLocalSocket::UnconnectedState) {
        loop.exec();
    }
    socket.abort();
    return reply;
}

void SingleInstance::answer(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (peerUserId(*socket) != ::getuid()) {
        socket->disconnectFromServer();
        return;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        const QByteArray buffered = socket->peek(socket->bytesAvailable());
        const qsizetype end = buffered.indexOf("\n\n");
        if (end < 0) {
            if (buffered.size() > kLongestRequest) {
                socket->disconnectFromServer();
            }
            return;
        }
        const QList<QByteArray> lines = socket->read(end + 2).split('\n');
        if (lines.first() != kShowRequest) {
            socket->disconnectFromServer();
            return;
        }
        QMap<QString, QString> fields;
        for (const QByteArray& line : lines.mid(1)) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0) {
                fields.insert(QString::fromUtf8(line.left(equals)),
                              QString::fromUtf8(line.mid(equals + 1)));
            }
        }
        // Answer first: showing may open nested event loops, and the start
        // that asked must not wait for them.
        socket->write(kShownAnswer);
        socket->flush();
        qCDebug(instanceLog) << "Another start asks to show the window, with" << fields;
        emit showRequested(fields);
        socket->disconnectFromServer();
    });
}

}  // namespace almanis
