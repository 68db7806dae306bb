#pragma once

#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <utility>

namespace almanis::test {

// Makes files and folders read-only for the program, as they are for a user
// whose files they are not: the mode bits lose their write permissions, and
// when the tests run as the superuser, whom the bits do not stop, the process
// acts as the user "nobody" until the scope ends, so that the system really
// refuses every write. The folders above them are opened to that user.
class ReadOnlyFiles {
  public:
    // `readOnly` lose their write bits; `writable` are opened to everyone.
    ReadOnlyFiles(const QStringList& readOnly, const QStringList& writable) {
        for (const QString& path : readOnly) {
            change(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
                             (QFileInfo(path).isDir() ? executable() : QFile::Permissions()));
        }
        for (const QString& path : writable) {
            change(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther |
                             (QFileInfo(path).isDir() ? executable() : QFile::Permissions()));
        }
        if (geteuid() == 0) {
            for (const QString& path : readOnly + writable) {
                for (QString folder = QFileInfo(path).absolutePath(); folder != QLatin1String("/");
                     folder = QFileInfo(folder).absolutePath()) {
                    // The process keeps the superuser's groups: group bits count too.
                    const QFile::Permissions now = QFile::permissions(folder);
                    const QFile::Permissions open =
                        QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
                    if ((now & open) != open) {
                        change(folder, now | open);
                    }
                }
            }
            switched_ = seteuid(kNobody) == 0;
        }
        active_ = geteuid() != 0;
    }
    ~ReadOnlyFiles() {
        if (switched_) {
            [[maybe_unused]] const int back = seteuid(0);
        }
        for (auto it = saved_.crbegin(); it != saved_.crend(); ++it) {
            QFile::setPermissions(it->first, it->second);
        }
    }
    ReadOnlyFiles(const ReadOnlyFiles&) = delete;
    ReadOnlyFiles& operator=(const ReadOnlyFiles&) = delete;

    // False where the system could not be made to refuse (the superuser could
    // not act as another user).
    bool active() const { return active_; }

  private:
    static constexpr uid_t kNobody = 65534;
    static QFile::Permissions executable() {
        return QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    }
    void change(const QString& path, QFile::Permissions permissions) {
        saved_.append({path, QFile::permissions(path)});
        QFile::setPermissions(path, permissions);
    }

    QList<std::pair<QString, QFile::Permissions>> saved_;
    bool switched_ = false;
    bool active_ = false;
};

}  // namespace almanis::test
