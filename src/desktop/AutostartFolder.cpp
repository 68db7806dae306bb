#include "desktop/AutostartFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace almanis {

namespace {
// The reasons are part of a message the user reads.
QString reasonText(const char* text) {
    return QCoreApplication::translate("almanis::AutostartFolder", text);
}

// An entry name is one file name in the folder, never a path.
bool validEntryName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
           name != QLatin1String("..");
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
    return stringValue(quoted);
}

QString stringValue(const QString& text) {
    QString value;
    value.reserve(text.size() + 8);
    for (const QChar c : text) {
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
            case ' ':
                // A blank that opens the value would be taken for the blanks
                // around the equals sign.
                value += value.isEmpty() ? QStringLiteral("\\s") : QStringLiteral(" ");
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

QByteArray logonEntry(const QString& command) {
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Almanis\n"
                             "Comment=Reminds you of birthdays, anniversaries and holidays\n"
                             "Icon=almanis\n"
                             "TryExec=%1\n"
                             "Exec=%2\n"
                             "Terminal=false\n")
                             .arg(stringValue(command), execLine(command));
    return text.toUtf8();
}

QString AutostartFolder::entryPath(const QString& name) const {
    return path_ + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

AutostartFolder::Result AutostartFolder::writeEntry(const QString& name,
                                                    const QString& command) const {
    // A user who never had a log-on entry has no such folder yet.
    if (!QDir().mkpath(path_)) {
        return {false, QFileInfo(path_).exists()
                           ? reasonText(QT_TRANSLATE_NOOP("almanis::AutostartFolder",
                                                          "it is not a folder"))
                           : reasonText(QT_TRANSLATE_NOOP("almanis::AutostartFolder",
                                                          "the folder cannot be created"))};
    }
    if (!validEntryName(name)) {
        return {false, reasonText(QT_TRANSLATE_NOOP("almanis::AutostartFolder",
                                                    "\"%1\" is not a valid entry name"))
                           .arg(name)};
    }
    // Written aside and renamed over the old entry, so a session starting at the
    // same moment never reads half an entry, and whatever file had the name is
    // replaced whole.
    const QString path = entryPath(name);
    // A link under our name would have the write land in whatever it points to.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        return {false, reasonText(QT_TRANSLATE_NOOP("almanis::AutostartFolder",
                                                    "the link %1 cannot be replaced"))
                           .arg(path)};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(logonEntry(command)) < 0 || !file.commit()) {
        return {false, file.errorString()};
    }
    return {};
}

AutostartFolder::Result AutostartFolder::removeEntry(const QString& name) const {
    if (!validEntryName(name)) {
        return {};
    }
    const QString path = entryPath(name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    QFile file(path);
    if (!file.remove()) {
        return {false, file.errorString()};
    }
    return {};
}

}  // namespace almanis
