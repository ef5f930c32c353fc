#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QTest>
#include <QTimer>

#include "SdxFile.h"
#include "UiTestSupport.h"
#include "app/Start.h"
#include "app/frmSplash.h"
#include "platform/HelpViewer.h"

using namespace sx;

namespace {

QString WriteSample(const QString &path) {
    VectorDocument d;
    d.Resize(4, 3);
    for (int i = 1; i <= 4; ++i) d.PosX(i) = i;
    for (int j = 1; j <= 3; ++j) d.PosY(j) = j;
    for (size_t k = 0; k < d.Statuses.size(); ++k) {
        d.Statuses[k] = 1;
        d.Us[k] = 1;  // a field of zero vectors cannot be drawn
    }
    d.ValidCount = 12;
    EXPECT_EQ(WriteSdxFile(d, path.toStdString()), SaveResult::Ok);
    return path;
}

}  // namespace

TEST_F(UiTest, FirstStartWritesTheSettingsAndShowsTheWelcomeOnce) {
    MakeFrame()->MDIForm_Load(QString());
    EXPECT_EQ(GetSetting("StartUp", "ShowInfo"), "Yes");
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "SDX");
    EXPECT_TRUE(GetSetting("Files", "LastDirectory").endsWith("/Beispiele"));
    EXPECT_TRUE(frame->ShowStartUpInfo);

    user.InDialog("frmStartUpInfo", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Strudelax - Willkommen!");
        EXPECT_TRUE(ControlChecked(d, "chkShowAgain"));
        SetControlChecked(d, "chkShowAgain", false);
        ClickControl(d, "cmdOk");
    });
    frame->MDIForm_Activate();
    frame->MDIForm_Activate();  // only once per run
    EXPECT_EQ(GetSetting("StartUp", "ShowInfo"), "No");

    // a later start shows nothing and leaves the settings alone
    delete frame;
    frame = nullptr;
    SaveSetting("Files", "LastOpenedFormat", "DAT");
    MakeFrame()->MDIForm_Load(QString());
    EXPECT_FALSE(frame->ShowStartUpInfo);
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "DAT");
}

TEST_F(UiTest, WelcomeKeptWhileTheBoxStaysTicked) {
    SaveSetting("StartUp", "ShowInfo", "Yes");
    MakeFrame()->MDIForm_Load(QString());
    EXPECT_TRUE(frame->ShowStartUpInfo);
    user.InDialog("frmStartUpInfo", [](QDialog *d) { ClickControl(d, "cmdOk"); });
    frame->MDIForm_Activate();
    EXPECT_EQ(GetSetting("StartUp", "ShowInfo"), "Yes");
}

TEST_F(UiTest, CommandLineFileOpensUnquotedOrIsReportedMissing) {
    SaveSetting("StartUp", "ShowInfo", "No");
    const QString path = WriteSample(TempPath("mit blank.sdx"));
    MakeFrame()->MDIForm_Load("  \"" + path + "\"  ");
    ASSERT_EQ(frame->Documents().size(), 1);
    EXPECT_EQ(frame->Documents()[0]->doc.FilePath, path.toStdString());
    EXPECT_EQ(frame->Documents()[0]->windowTitle(), "mit blank.sdx");

    delete frame;
    frame = nullptr;
    user.Answer(MsgAnswer::Ok);
    MakeFrame()->MDIForm_Load(TempPath("fehlt.sdx"));
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].message.text, "Datei '" + TempPath("fehlt.sdx").toStdString() + "' wurde nicht gefunden!");
    EXPECT_EQ(user.asked[0].message.title, "Strudelax - Datei nicht gefunden");
    EXPECT_EQ(user.asked[0].message.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(frame->Documents().isEmpty());

    delete frame;
    frame = nullptr;
    MakeFrame()->MDIForm_Load("   ");
    MakeFrame()->MDIForm_Load("::IDESTART");
    EXPECT_TRUE(frame->Documents().isEmpty());
}

TEST_F(UiTest, OpenDialogPreselectsByTheLastFormatAndChecksTheExtension) {
    MakeFrame();
    const std::pair<const char *, int> cases[] = {{"SDX", 3}, {"DAT", 4}, {"VEC", 2}, {"sdx", 1}, {"XYZ", 1}};
    for (auto [format, index] : cases) {
        SaveSetting("Files", "LastOpenedFormat", format);
        SaveSetting("Files", "LastDirectory", "/tmp/start");
        user.CancelFile();
        frame->mnuOpen_Click();
        const auto &req = user.asked.back().file;
        EXPECT_EQ(req.filterIndex, index) << format;
        EXPECT_EQ(req.initDir, "/tmp/start");
        EXPECT_EQ(req.flags, 0x1004);
        EXPECT_EQ(req.filter, frmMain::kOpenFilter);
        EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), format);  // Cancel writes nothing
    }

    user.ChooseFile("/tmp/start/feld.txt").Answer(MsgAnswer::Ok);
    frame->mnuOpen_Click();
    EXPECT_EQ(user.asked.back().message.text,
              "Dieses Dateiformat ist ungültig! Sie können nur Dateien mit Endung .dat oder .vec öffnen.");
    EXPECT_EQ(user.asked.back().message.title, "Ungültiges Dateiformat");
    EXPECT_EQ(GetSetting("Files", "LastDirectory"), "/tmp/start");

    const QString path = WriteSample(TempPath("Feld.SdX"));
    user.ChooseFile(path);
    frame->mnuOpen_Click();
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "SDX");
    EXPECT_EQ(GetSetting("Files", "LastDirectory"), tmp.path());
    EXPECT_EQ(frame->Documents().size(), 1);
}

TEST_F(UiTest, FailedLoadClosesTheWindowAndSaysSo) {
    MakeFrame();
    QFile f(TempPath("kaputt.sdx"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Strudelax\x01\x00", 11);
    f.close();
    user.Answer(MsgAnswer::Ok);
    EXPECT_EQ(Open(TempPath("kaputt.sdx")), nullptr);
    EXPECT_EQ(user.MessageTexts().back(), "Fehler in dieser SDX-Datei! Datei beschädigt oder falsches Format?");
    EXPECT_EQ(frame->StatusTextCaption(), "Datei geschlossen.");
    EXPECT_TRUE(frame->Documents().isEmpty());
}

TEST_F(UiTest, HelpAndAboutGoThroughTheCommonDialog) {
    MakeFrame();
    HelpFilePath() = "/opt/strudelax/Strudelax.hlp";
    frame->mnuHelp_Click();
    frame->mnuHelpIndex_Click();
    ASSERT_EQ(user.asked.size(), 2u);
    EXPECT_EQ(user.asked[0].helpCommand, HelpContents);
    EXPECT_EQ(user.asked[1].helpCommand, HelpIndex);
    EXPECT_EQ(user.asked[0].text, "/opt/strudelax/Strudelax.hlp");
    EXPECT_NE(HelpPageFor(HelpContents), HelpPageFor(HelpIndex));
    QFile page(HelpPageFor(HelpContents).mid(3));
    EXPECT_TRUE(page.exists());
    user.Answer(MsgAnswer::Ok);
    frame->mnuAbout_Click();
    EXPECT_EQ(user.asked.back().message.text, "Strudelax Version 1.0");
    EXPECT_EQ(user.asked.back().message.title, "Über Strudelax");
}

TEST_F(UiTest, SplashShowsTheVersionAndStaysItsMinimumTime) {
    SaveSetting("StartUp", "ShowInfo", "No");
    EXPECT_EQ(VersionText(), "Version 1.0.0");
    QElapsedTimer t;
    t.start();
    frame = Start::StartUp(QString(), Start::Options{300});
    EXPECT_GE(t.elapsed(), 300);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Strudelax");
    EXPECT_FALSE(HelpFilePath().isEmpty());
    HelpFilePath().clear();
    delete frame;
    frame = Start::StartUp("::IDESTART", Start::Options{0});
    EXPECT_TRUE(HelpFilePath().isEmpty());  // the IDE start leaves the help path unset
}

TEST_F(UiTest, KeyOnTheSplashEndsItAtOnce) {
    SaveSetting("StartUp", "ShowInfo", "No");
    // the splash serves events while it waits, so a key reaches it; a minute
    // of waiting would time the test out
    QTimer::singleShot(50, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmSplash" && w->isVisible()) QTest::keyClick(w, Qt::Key_Space);
    });
    frame = Start::StartUp(QString(), Start::Options{60000});
    EXPECT_TRUE(frame->isVisible());
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "frmSplash") {
            EXPECT_FALSE(w->isVisible());
        }
    }
}

TEST_F(UiTest, ExitAsksEveryModifiedDocumentAndOneRefusalStopsIt) {
    SaveSetting("StartUp", "ShowInfo", "No");
    MakeFrame();
    frame->show();
    auto *a = Open(WriteSample(TempPath("a.sdx")));
    auto *b = Open(WriteSample(TempPath("b.sdx")));
    ASSERT_TRUE(a && b);
    a->MarkModified();
    b->MarkModified();
    user.Answer(MsgAnswer::No).Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(frame->Documents().size(), 2);
    user.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    EXPECT_TRUE(frame->close());
}
