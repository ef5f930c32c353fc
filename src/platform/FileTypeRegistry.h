#pragma once
// File-type association for the current user, the freedesktop way: one
// shared-mime-info package per type and one desktop entry for the program,
// all below the user's data folder.

#include <QImage>
#include <QString>
#include <QStringList>

namespace sx {

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
QString UserDataFolder();
// The MIME type a type name is announced under: "Strudelax-Datei" -> "application/x-strudelax-datei".
QString MimeTypeOf(const QString &typeName);
// The desktop entry that opens the associated files.
QString DesktopEntryPath();
// $XDG_CONFIG_HOME/mimeapps.list (~/.config when unset or not absolute):
// where the user's default applications stand.
QString UserMimeAppsListPath();
// The type a file type is also read as: text/plain for the text files
// (".dat"), so that text editors are still offered for them; empty otherwise.
QString ParentMimeTypeOf(const QString &extension);
// Makes the program the default application of `mimeType` in the user's
// mimeapps.list; every other line of the file stays as it was.
bool SetDefaultApplication(const QString &mimeType);
// The MIME types the desktop entry currently lists.
QStringList RegisteredMimeTypes();
// The Exec line of the desktop entry: the program, quoted, and the file.
QString DesktopExecLine(const QString &exePath);

// Associates one type (puts "." in front of `extension` when missing, in the
// caller's variable too) and makes the program its default application.
// Registering a type again overwrites its entries; other registered types stay. `icon` (when not null) becomes the program's icon.
// False when a file could not be written.
bool RegisterFileType(QString &extension, const QString &typeName, const QString &description, const QString &exePath,
                      const QImage &icon = QImage());

// Lets the desktop's caches see the new types (the tools run only when present).
void UpdateFileTypeDatabases();

}  // namespace sx
