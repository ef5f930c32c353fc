#include "FileTypeRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamWriter>

namespace sx {

namespace {

constexpr int kIconSize = 256;
constexpr int kToolWaitMs = 5000;

QString IconPath() {
    return UserDataFolder() + QStringLiteral("/icons/hicolor/%1x%1/apps/strudelax.png").arg(kIconSize);
}

bool WriteWhole(const QString &path, const QByteArray &bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool WriteIcon(const QImage &icon) {
    QImage square(kIconSize, kIconSize, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    const QImage scaled = icon.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    {
        QPainter p(&square);
        p.drawImage((kIconSize - scaled.width()) / 2, (kIconSize - scaled.height()) / 2, scaled);
    }
    if (!QDir().mkpath(QFileInfo(IconPath()).absolutePath())) return false;
    QSaveFile f(IconPath());
    if (!f.open(QIODevice::WriteOnly) || !square.save(&f, "PNG")) return false;
    return f.commit();
}

QByteArray MimePackage(const QString &mimeType, const QString &extension, const QString &description, bool withIcon,
                       const QString &parentType) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeStartElement(QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), mimeType);
    xml.writeTextElement(QStringLiteral("comment"), description);
    if (!parentType.isEmpty()) {
        xml.writeEmptyElement(QStringLiteral("sub-class-of"));
        xml.writeAttribute(QStringLiteral("type"), parentType);
    }
    if (withIcon) {
        xml.writeEmptyElement(QStringLiteral("icon"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("strudelax"));
    }
    xml.writeEmptyElement(QStringLiteral("glob"));
    xml.writeAttribute(QStringLiteral("pattern"), QLatin1Char('*') + extension.toLower());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

// One argument of an Exec line: in double quotes, with the characters that
// are special inside them escaped.
QString QuoteExecArgument(const QString &arg) {
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

// A value of a desktop entry (a key file string).
QString EscapeValue(const QString &value) {
    QString out;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

void RunTool(const QString &tool, const QStringList &args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(exe, args);
    if (!p.waitForStarted(kToolWaitMs)) return;
    if (!p.waitForFinished(kToolWaitMs)) {
        p.kill();
        p.waitForFinished(1000);
    }
}

}  // namespace

QString UserDataFolder() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString MimeTypeOf(const QString &typeName) {
    QString sub;
    for (QChar c : typeName.toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
            c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('+'))
            sub += c;
        else
            sub += QLatin1Char('-');
    }
    return QStringLiteral("application/x-") + sub;
}

QString DesktopEntryPath() { return UserDataFolder() + QStringLiteral("/applications/strudelax.desktop"); }

QStringList RegisteredMimeTypes() {
    QFile f(DesktopEntryPath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList types;
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("MimeType=")))
            for (const QString &t : line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                if (!t.trimmed().isEmpty() && !types.contains(t.trimmed())) types << t.trimmed();
    }
    return types;
}

QString DesktopExecLine(const QString &exePath) {
    QString quoted = QuoteExecArgument(exePath);
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted + QStringLiteral(" %f");
}

bool RegisterFileType(QString &extension, const QString &typeName, const QString &description, const QString &exePath,
                      const QImage &icon) {
    if (!extension.startsWith(QLatin1Char('.'))) extension.prepend(QLatin1Char('.'));
    const QString data = UserDataFolder();
    const QString mimeType = MimeTypeOf(typeName);
    bool ok = true;

    if (!icon.isNull()) ok = WriteIcon(icon) && ok;
    const bool withIcon = QFileInfo::exists(IconPath());

    const QString package =
        data + QStringLiteral("/mime/packages/strudelax-") + extension.mid(1).toLower() + QStringLiteral(".xml");
    ok =
        WriteWhole(package, MimePackage(mimeType, extension, description, withIcon, ParentMimeTypeOf(extension))) && ok;

    QStringList types = RegisteredMimeTypes();
    if (!types.contains(mimeType)) types << mimeType;
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Strudelax\n");
    entry += QStringLiteral("Exec=") + EscapeValue(DesktopExecLine(exePath)) + QLatin1Char('\n');
    if (withIcon) entry += QStringLiteral("Icon=strudelax\n");
    // only the association: the program gets no menu entry of its own
    entry += QStringLiteral("NoDisplay=true\nTerminal=false\n");
    entry += QStringLiteral("MimeType=") + types.join(QLatin1Char(';')) + QStringLiteral(";\n");
    ok = WriteWhole(DesktopEntryPath(), entry.toUtf8()) && ok;
    ok = SetDefaultApplication(mimeType) && ok;
    return ok;
}

QString UserMimeAppsListPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config) + QStringLiteral("/mimeapps.list");
}

QString ParentMimeTypeOf(const QString &extension) {
    return extension.compare(QLatin1String(".dat"), Qt::CaseInsensitive) == 0 ? QStringLiteral("text/plain")
                                                                              : QString();
}

bool SetDefaultApplication(const QString &mimeType) {
    const QString path = UserMimeAppsListPath();
    const QString ours = QFileInfo(DesktopEntryPath()).fileName();
    QStringList lines;
    {
        QFile f(path);
        if (f.exists() && !f.open(QIODevice::ReadOnly)) return false;  // never overwrite what cannot be read
        if (f.isOpen()) {
            lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
            if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        }
    }
    // the program first; the applications that stood there stay as the next choices
    auto valueWith = [&](const QString &old) {
        QStringList apps{ours};
        for (const QString &a : old.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (a.trimmed() != ours && !a.trimmed().isEmpty()) apps << a.trimmed();
        return mimeType + QLatin1Char('=') + apps.join(QLatin1Char(';')) + QLatin1Char(';');
    };
    int section = -1, end = lines.size();
    for (int k = 0; k < lines.size(); ++k) {
        const QString t = lines[k].trimmed();
        if (!t.startsWith(QLatin1Char('['))) continue;
        if (section >= 0) {
            end = k;
            break;
        }
        if (t == QLatin1String("[Default Applications]")) section = k;
    }
    bool done = false;
    if (section >= 0) {
        for (int k = section + 1; k < end && !done; ++k) {
            const QString t = lines[k].trimmed();
            const int eq = t.indexOf(QLatin1Char('='));
            if (eq > 0 && t.left(eq).trimmed() == mimeType) {
                lines[k] = valueWith(t.mid(eq + 1));
                done = true;
            }
        }
        if (!done) {
            // after the section's last entry, before any blank lines that close it
            int at = end;
            while (at > section + 1 && lines[at - 1].trimmed().isEmpty()) --at;
            lines.insert(at, valueWith(QString()));
        }
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
        lines << QStringLiteral("[Default Applications]") << valueWith(QString());
    }
    return WriteWhole(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

void UpdateFileTypeDatabases() {
    const QString data = UserDataFolder();
    if (QFileInfo(data + QStringLiteral("/mime/packages")).isDir())
        RunTool(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    if (QFileInfo(data + QStringLiteral("/applications")).isDir())
        RunTool(QStringLiteral("update-desktop-database"), {data + QStringLiteral("/applications")});
}

}  // namespace sx
