#include "FileNames.h"

#include <QFileInfo>

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>

#include "CommonDialog.h"
#include "Cp1252.h"
#include "Paths.h"
#include "UserInteraction.h"

namespace sx {

QString DecodeFileName(const QByteArray &bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype k = 0; k < size;) {
        const int n = Utf8SequenceLength(p + k, static_cast<size_t>(size - k));
        if (n == 0) {
            out += QChar(static_cast<char16_t>(0xDC00 + p[k]));
            ++k;
        } else {
            out += QString::fromUtf8(reinterpret_cast<const char *>(p + k), n);
            k += n;
        }
    }
    return out;
}

namespace {

// The character at k stands for a byte that is no UTF-8.
bool EscapedByte(const QString &name, qsizetype k) {
    return name[k].unicode() >= 0xDC80 && name[k].unicode() <= 0xDCFF && !(k > 0 && name[k - 1].isHighSurrogate());
}

}  // namespace

QByteArray EncodeFileName(const QString &name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype k = 0; k <= name.size(); ++k) {
        const bool escaped = k < name.size() && EscapedByte(name, k);
        if (k < name.size() && !escaped) continue;
        out += QStringView(name).mid(start, k - start).toUtf8();
        if (escaped) out += static_cast<char>(name[k].unicode() - 0xDC00);
        start = k + 1;
    }
    return out;
}

QString ShownText(const std::string &text) { return QString::fromStdString(ShowableText(text)); }

QString WorkingFolder() {
    char *cwd = ::getcwd(nullptr, 0);
    if (!cwd) return QStringLiteral("/");
    const QString folder = DecodeFileName(QByteArray(cwd));
    std::free(cwd);
    return folder;
}

QString AbsoluteFileName(const QString &path, const QString &folder) {
    if (path.isEmpty() || path.startsWith(QLatin1Char('/'))) return path;
    return folder.endsWith(QLatin1Char('/')) ? folder + path : folder + QLatin1Char('/') + path;
}

DialogStart DialogStartFor(const QString &path) {
    qsizetype firstEscaped = -1;
    for (qsizetype k = 0; k < path.size() && firstEscaped < 0; ++k)
        if (EscapedByte(path, k)) firstEscaped = k;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), firstEscaped < 0 ? -1 : firstEscaped);
    if (!path.startsWith(QLatin1Char('/')) || slash < 0) return {QString(), path};
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

QString TrimBlanks(const QString &text) {
    qsizetype a = 0, b = text.size();
    while (a < b && text[a] == QLatin1Char(' ')) ++a;
    while (b > a && text[b - 1] == QLatin1Char(' ')) --b;
    return text.mid(a, b - a);
}

QString ResolveDialogFileName(const QString &path) {
    if (!path.contains(QChar(0xFFFD)) || QFileInfo::exists(path)) return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return path;
    const QString folder = ResolveDialogFileName(path.left(slash));
    const QString leaf = path.mid(slash + 1);
    const QByteArray folderBytes = EncodeFileName(folder.isEmpty() ? QStringLiteral("/") : folder);
    DIR *dir = ::opendir(folderBytes.constData());
    if (!dir) return path;
    QString found;
    int matches = 0;
    while (const dirent *e = ::readdir(dir)) {
        if (QString::fromUtf8(e->d_name) == leaf) {
            found = folder + QLatin1Char('/') + DecodeFileName(QByteArray(e->d_name));
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : path;
}

bool MayWriteTarget(const CommonDialog &dialog, const std::string &target) {
    const std::string confirmed = (dialog.Flags & 2) ? FilePathBytes(dialog.FileName) : std::string();
    if (!TargetNeedsQuestion(confirmed, target)) return true;
    // titled like the dialog that stood in its place; Qt's save dialog is "Speichern unter" by default
    const QString title = dialog.DialogTitle.isEmpty() ? QStringLiteral("Speichern unter") : dialog.DialogTitle;
    return MessageBox(ReplaceQuestion(target, title.toStdString())) == MsgAnswer::Yes;
}

}  // namespace sx
