// File names that are not UTF-8, the hand-over's path and the command line's blanks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "app/Start.h"
#include "platform/FileNames.h"
#include "platform/InstanceChannel.h"

using namespace sx;

namespace {

const QByteArray kLatin1Name(
    "\xfc"
    "ber.dat");  // "über.dat" in Latin-1

}  // namespace

TEST(FileNames, BytesThatAreNotUtf8SurviveTheRoundTrip) {
    const QByteArray cases[] = {
        kLatin1Name,
        QByteArray("/tmp/gr\xc3\xb6\xc3\x9f"
                   "e/feld.sdx"),                                   // valid UTF-8 stays text
        QByteArray("\xff\xfe\x80 \xe2\x82 \xed\xa0\x80 \xc0\xaf"),  // stray, cut, surrogate, overlong
        QByteArray("\xf0\x9f\x98\x80 emoji"),
        QByteArray(),
    };
    for (const QByteArray &bytes : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes);
    }
    EXPECT_EQ(DecodeFileName(QByteArray("gr\xc3\xb6\xc3\x9f"
                                        "e")),
              QString::fromUtf8("größe"));
    EXPECT_EQ(DecodeFileName(kLatin1Name).mid(1), QStringLiteral("ber.dat"));
    EXPECT_EQ(FilePathBytes(QString::fromUtf8("größe.sdx")), std::string("gr\xc3\xb6\xc3\x9f"
                                                                         "e.sdx"));
}

// Names that are no UTF-8 show as their Windows-1252 characters; a dialog
// starts in the last folder it can show, with the rest as the name.
TEST(FileNames, NamesThatAreNotUtf8AreShownAndProposedWhole) {
    EXPECT_EQ(ShownText("Die Datei f\xe4ld.sdx existiert"), QString::fromUtf8("Die Datei f\xc3\xa4ld.sdx existiert"));
    EXPECT_EQ(ShownText("\x80 \x81 gr\xc3\xb6\xc3\x9f"
                        "e"),
              QString::fromUtf8("\xe2\x82\xac \xc2\x81 gr\xc3\xb6\xc3\x9f"
                                "e"));  // valid UTF-8 stays
    const QString latin1Folder = DecodeFileName("/home/u/M\xe4ll/sub/f\xe4ld");
    const DialogStart start = DialogStartFor(latin1Folder);
    EXPECT_EQ(start.folder, QStringLiteral("/home/u"));
    EXPECT_EQ(start.folder + QLatin1Char('/') + start.name, latin1Folder);
    EXPECT_FALSE(DialogStartFor(DecodeFileName("/home/u/f\xe4ld")).name.contains(QLatin1Char('/')));
    EXPECT_EQ(DialogStartFor(QStringLiteral("feld")).folder, QString());
}

TEST(FileNames, BlanksAndRelativePathsOfTheCommandLine) {
    EXPECT_EQ(TrimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimBlanks(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));  // blanks only
    EXPECT_EQ(Start::AbsoluteCommandLine("feld.dat", "/home/u/mess"), "/home/u/mess/feld.dat");
    EXPECT_EQ(Start::AbsoluteCommandLine("\"sub dir/feld.dat\"", "/w"), "/w/sub dir/feld.dat");
    EXPECT_EQ(Start::AbsoluteCommandLine("/abs/feld.dat", "/w"), "/abs/feld.dat");
    EXPECT_EQ(Start::AbsoluteCommandLine("\"/abs/x y.dat\"", "/w"), "\"/abs/x y.dat\"");
    EXPECT_EQ(Start::AbsoluteCommandLine("::ShowForm", "/w"), "::ShowForm");
    EXPECT_EQ(Start::AbsoluteCommandLine("\"\"", "/w"), "\"\"");
}

TEST(FileNames, DialogNameWithReplacementCharacterFindsTheFile) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray bytes = folder + '/' + kLatin1Name;
    {
        FILE *f = std::fopen(bytes.constData(), "wb");
        ASSERT_TRUE(f);
        std::fclose(f);
    }
    // what Qt's dialog hands back for that name
    const QString lossy = dir.path() + QLatin1Char('/') + QString::fromUtf8(kLatin1Name);
    ASSERT_TRUE(lossy.contains(QChar(0xFFFD)));
    EXPECT_EQ(EncodeFileName(ResolveDialogFileName(lossy)), bytes);
    // names that exist or match nothing stay as they are
    EXPECT_EQ(ResolveDialogFileName(dir.path()), dir.path());
    const QString none = dir.path() + QString::fromUtf8("/\xef\xbf\xbdnix.dat");
    EXPECT_EQ(ResolveDialogFileName(none), none);
    std::remove(bytes.constData());  // Qt cannot name it to clean up
}

TEST_F(UiTest, Latin1FileNameOpensFromTheCommandLineAndTheHandOver) {
    SaveSetting("StartUp", "ShowInfo", "No");
    const QByteArray path = QFile::encodeName(TempPath(QString())) + '/' + kLatin1Name;
    ASSERT_TRUE(WriteSampleSdx((path + ".sdx").toStdString(), 3, 2));
    const QString name = DecodeFileName(path + ".sdx");

    MakeFrame()->MDIForm_Load(name);
    ASSERT_EQ(frame->Documents().size(), 1);
    EXPECT_EQ(frame->Documents()[0]->doc.FilePath, (path + ".sdx").toStdString());

    // through the channel: the running instance gets the same bytes
    InstanceChannel channel(QDir::tempPath() + QStringLiteral("/sx-names-%1").arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(channel.Listen());
    QString received;
    channel.SetHandler([&](const QString &text) {
        received = text;
        return true;
    });
    HandOverResult result{};
    QThread *t = QThread::create([&] { result = HandOver(channel.Name(), name, 10000); });
    t->start();
    while (!t->isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    t->wait();
    delete t;
    EXPECT_EQ(result, HandOverResult::Handled);
    EXPECT_EQ(EncodeFileName(received), path + ".sdx");
    frame->TryToOpen(received);
    ASSERT_EQ(frame->Documents().size(), 2);
    EXPECT_EQ(frame->Documents()[1]->doc.FilePath, (path + ".sdx").toStdString());
    std::remove((path + ".sdx").constData());
}
