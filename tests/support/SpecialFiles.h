#pragma once

#include <QFile>
#include <QString>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>

namespace almanis::test {

// Makes something other than a regular file at `path`, which must lie in the
// test's own temporary folder: "named pipe", "folder", "socket", "device" (a
// node like /dev/null's, which only the superuser may make) or "link to a
// named pipe". False when the system does not let this process make it.
inline bool makeSpecialFile(const QString& path, const QString& kind) {
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("named pipe")) {
        return ::mkfifo(name.constData(), 0600) == 0;
    }
    if (kind == QLatin1String("folder")) {
        return ::mkdir(name.constData(), 0700) == 0;
    }
    if (kind == QLatin1String("device")) {
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    }
    if (kind == QLatin1String("link to a named pipe")) {
        const QByteArray pipe = name + ".pipe";
        return ::mkfifo(pipe.constData(), 0600) == 0 &&
               ::symlink(pipe.constData(), name.constData()) == 0;
    }
    if (kind == QLatin1String("socket")) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (name.size() >= qsizetype(sizeof(address.sun_path))) {
            return false;
        }
        std::memcpy(address.sun_path, name.constData(), name.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        return bound;
    }
    return false;
}

// The kind of what is at `path`, in makeSpecialFile()'s words, following a
// link; "regular file", or "nothing" when there is nothing.
inline QString specialFileKind(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return QStringLiteral("nothing");
    }
    switch (status.st_mode & S_IFMT) {
        case S_IFREG:
            return QStringLiteral("regular file");
        case S_IFIFO:
            return QStringLiteral("named pipe");
        case S_IFDIR:
            return QStringLiteral("folder");
        case S_IFSOCK:
            return QStringLiteral("socket");
        case S_IFCHR:
            return QStringLiteral("device");
        default:
            return QStringLiteral("other");
    }
}

}  // namespace almanis::test
