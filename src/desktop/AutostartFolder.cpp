#include "desktop/AutostartFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace almanis::RegStuff {

namespace {

QString valueFile(const OpenKey& key, const QString& valueName) {
    return key.folder + QLatin1Char('/') + valueName + QStringLiteral(".desktop");
}

QString keyFolder(const QString& hive, const QString& keyPath) {
    return QDir::cleanPath(hive + QLatin1Char('/') + keyPath);
}

// A value name is one file name in the key's folder, never a path.
bool validValueName(const QString& valueName) {
    return !valueName.isEmpty() && !valueName.contains(QLatin1Char('/')) &&
           valueName != QLatin1String(".") && valueName != QLatin1String("..");
}

}  // namespace

QString execArgument(const QString& path) {
    // Inside double quotes a backslash protects ", `, $ and \ .
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A lone % would start a field code.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The line is itself a string value, whose escapes are undone first.
    QString value;
    value.reserve(quoted.size() + 8);
    for (const QChar c : quoted) {
        switch (c.unicode()) {
            case '\\':
                value += QStringLiteral("\\\\");
                break;
            case '\n':
                value += QStringLiteral("\\n");
                break;
            case '\t':
                value += QStringLiteral("\\t");
                break;
            case '\r':
                value += QStringLiteral("\\r");
                break;
            default:
                value += c;
                break;
        }
    }
    return value;
}

QString execLine(const QString& path) {
    // GLib looks for the program before it turns "%%" back into "%", and skips an
    // entry whose program it cannot find; env, found on the search path, then
    // gets the real path.
    if (path.contains(QLatin1Char('%'))) {
        return QStringLiteral("env ") + execArgument(path);
    }
    return execArgument(path);
}

QByteArray desktopEntry(const QString& command) {
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Almanis\n"
                             "Comment=Reminds you of birthdays, anniversaries and holidays\n"
                             "Icon=almanis\n"
                             "Exec=%1\n"
                             "Terminal=false\n")
                             .arg(execLine(command));
    return text.toUtf8();
}

long WriteOpenValue(OpenKey& key, const QString& valueName, const QString& value,
                    quint32 valueType) {
    if (valueType != REG_SZ) {
        return ERROR_SUCCESS;
    }
    if (!validValueName(valueName)) {
        key.error = QStringLiteral("\"%1\" is not a valid entry name").arg(valueName);
        return ERROR_CANTWRITE;
    }
    // Written aside and renamed over the old entry, so a session starting at the
    // same moment never reads half an entry, and whatever file had the name is
    // replaced whole.
    const QString path = valueFile(key, valueName);
    // A link under our name would have the write land in whatever it points to.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        key.error = QStringLiteral("the link %1 cannot be replaced").arg(path);
        return ERROR_CANTWRITE;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(desktopEntry(value)) < 0 || !file.commit()) {
        key.error = file.errorString();
        return ERROR_CANTWRITE;
    }
    return ERROR_SUCCESS;
}

RegStatus WriteRegistryValue(const QString& hive, const QString& keyPath, const QString& valueName,
                             const QString& value, quint32 valueType) {
    OpenKey key{keyFolder(hive, keyPath), QString()};
    RegStatus status;
    status.folder = key.folder;
    // A user who never had a start-up entry has no such folder yet.
    if (!QDir().mkpath(key.folder)) {
        status.code = ERROR_CANTOPEN;
        status.reason = QFileInfo(key.folder).exists()
                            ? QStringLiteral("it is not a folder")
                            : QStringLiteral("the folder cannot be created");
        return status;
    }
    status.code = WriteOpenValue(key, valueName, value, valueType);
    status.reason = key.error;
    return status;
}

RegStatus DeleteRegistryValue(const QString& hive, const QString& keyPath,
                              const QString& valueName) {
    OpenKey key{keyFolder(hive, keyPath), QString()};
    RegStatus status;
    status.folder = key.folder;
    if (!validValueName(valueName)) {
        return status;
    }
    const QString path = valueFile(key, valueName);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return status;
    }
    QFile file(path);
    if (!file.remove()) {
        status.code = ERROR_CANTWRITE;
        status.reason = file.errorString();
    }
    return status;
}

}  // namespace almanis::RegStuff
