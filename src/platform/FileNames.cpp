#include "FileNames.h"

#include <QFileInfo>

#include <dirent.h>

#include "CommonDialog.h"
#include "Paths.h"
#include "UserInteraction.h"

namespace sx {

namespace {

// Length of the valid UTF-8 sequence starting at p[0], 0 when there is none.
int Utf8Length(const unsigned char *p, qsizetype left) {
    const unsigned char c = p[0];
    int n = 0;
    uint32_t cp = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, cp = c & 0x07;
    else
        return 0;
    if (left < n) return 0;
    for (int k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    // no overlong forms, no surrogates, nothing past U+10FFFF
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

QString DecodeFileName(const QByteArray &bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype k = 0; k < size;) {
        const int n = Utf8Length(p + k, size - k);
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

QByteArray EncodeFileName(const QString &name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype k = 0; k <= name.size(); ++k) {
        const bool escaped = k < name.size() && name[k].unicode() >= 0xDC80 && name[k].unicode() <= 0xDCFF &&
                             !(k > 0 && name[k - 1].isHighSurrogate());
        if (k < name.size() && !escaped) continue;
        out += QStringView(name).mid(start, k - start).toUtf8();
        if (escaped) out += static_cast<char>(name[k].unicode() - 0xDC00);
        start = k + 1;
    }
    return out;
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
    if (!(dialog.Flags & 2) || !TargetNeedsQuestion(FilePathBytes(dialog.FileName), target)) return true;
    // titled like the dialog that stood in its place; Qt's save dialog is "Speichern unter" by default
    const QString title = dialog.DialogTitle.isEmpty() ? QStringLiteral("Speichern unter") : dialog.DialogTitle;
    return MessageBox(ReplaceQuestion(target, title.toStdString())) == MsgAnswer::Yes;
}

}  // namespace sx
