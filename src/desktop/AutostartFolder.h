#pragma once

#include <QString>

namespace almanis::RegStuff {

// Value types.
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_DWORD = 4;

// Statuses of the operations; 0 is success.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_CANTOPEN = 1011;
inline constexpr long ERROR_CANTWRITE = 1013;

// The programs a desktop session starts at log-on are the entries of the
// "autostart" folder of the user's configuration folder, so that folder serves
// as the Run key: a text value named N is the entry N.desktop that starts the
// command in its data. The hive is the folder that holds the key.
inline constexpr char kRunKey[] = "autostart";

// A key opened by WriteRegistryValue or DeleteRegistryValue.
struct OpenKey {
    QString folder;
    QString error;  // why the last operation on it failed
};

// What became of a write or a delete.
struct RegStatus {
    long code = ERROR_SUCCESS;
    QString folder;  // the key's folder
    QString reason;  // for the user, when code is not ERROR_SUCCESS
    bool ok() const { return code == ERROR_SUCCESS; }
};

// Opens the key (creating its folder when missing), writes one value, closes it.
RegStatus WriteRegistryValue(const QString& hive, const QString& keyPath, const QString& valueName,
                             const QString& value, quint32 valueType);

// Writes one value into an open key. Only text values (REG_SZ) exist among start-up
// entries: any other type writes nothing and returns 0.
long WriteOpenValue(OpenKey& key, const QString& valueName, const QString& value,
                    quint32 valueType);

// Opens the key, deletes the value, closes the key. A value or a key that does
// not exist is nothing to delete.
RegStatus DeleteRegistryValue(const QString& hive, const QString& keyPath,
                              const QString& valueName);

// The entry that starts `command` (a program's full path) at log-on.
QByteArray desktopEntry(const QString& command);

// A path as one argument of a desktop entry's Exec line: quoted, with the
// quoting, field-code and string escapes of the Desktop Entry rules, so that
// the session parses the line back into exactly that path.
QString execArgument(const QString& path);

// The Exec line that starts the program at `path`.
QString execLine(const QString& path);

}  // namespace almanis::RegStuff
