#pragma once
// File names as bytes. A file name on Linux is any byte string; one that is
// not valid UTF-8 (a Latin-1 "über.dat") must still open. Each byte that is
// not part of a UTF-8 sequence is held in the QString as the lone surrogate
// U+DC80 + byte, so that the name survives the way back to bytes.

#include <QByteArray>
#include <QString>
#include <string>

namespace sx {

QString DecodeFileName(const QByteArray &bytes);
QByteArray EncodeFileName(const QString &name);
// The bytes for the Qt-free core's file functions.
inline std::string FilePathBytes(const QString &name) { return EncodeFileName(name).toStdString(); }
// The way back: a path from the core (a dialog's proposal) as a name.
inline QString FileNameFromBytes(const std::string &bytes) { return DecodeFileName(QByteArray::fromStdString(bytes)); }

// A message's or a caption's text as shown: the bytes of a name that are no
// UTF-8 appear as their Windows-1252 characters (the bytes stay in the name).
QString ShownText(const std::string &text);

// The working folder from the root, its bytes kept (QDir::currentPath()
// loses those that are no UTF-8).
QString WorkingFolder();
// `path` from the root; a relative one lies in `folder`.
QString AbsoluteFileName(const QString &path, const QString &folder);

// Qt's dialogs reach a folder only by a name that is UTF-8 throughout. Where
// a dialog starts for the proposal `path`: in its folder (from the root) up
// to the first name that is no UTF-8, with the rest of the path as the name;
// no folder for a relative path.
struct DialogStart {
    QString folder, name;
};
DialogStart DialogStartFor(const QString &path);

// Leading and trailing blanks removed (only blanks), the rest untouched.
QString TrimBlanks(const QString &text);

// A path from Qt's own file dialog, where bytes that are not UTF-8 arrive as
// U+FFFD: the existing file whose name reads so, when there is exactly one.
QString ResolveDialogFileName(const QString &path);

class CommonDialog;
// After a save dialog the program writes `target`, which it made from the
// chosen name. True when it may: a dialog that asks before overwriting
// (flag 2) already asked about that very file, nothing is there, or the user
// answers Yes to the dialog's own question about it.
bool MayWriteTarget(const CommonDialog &dialog, const std::string &target);

}  // namespace sx
