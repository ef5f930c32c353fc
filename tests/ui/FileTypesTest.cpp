// The file-type association: the dialog, the command and what it leaves in
// the user's data folder.

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QStandardPaths>

#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "app/frmFileTypes.h"
#include "platform/FileTypeRegistry.h"

using namespace sx;

namespace {

QString ReadText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString DesktopLine(const QString &key) {
    for (const QString &line : ReadText(DesktopEntryPath()).split('\n'))
        if (line.startsWith(key + '=')) return line.mid(key.size() + 1);
    return QString();
}

class FileTypesTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        data = TempPath("data");
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        // the default applications go to this test's own folder
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        config = TempPath("config");
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", oldConfig);
        UiTest::TearDown();
    }
    QString config;
    QByteArray oldConfig;
    QString Package(const QString &ext) const { return data + "/mime/packages/strudelax-" + ext + ".xml"; }
    QString data;
};

}  // namespace

TEST_F(FileTypesTest, DesignTimeChoiceRegistersOnlyTheOwnFormat) {
    MakeFrame();
    const QString exe = QCoreApplication::applicationFilePath();
    user.InDialog("frmFileTypes", [&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Strudelax-Installation  -  Dateitypen mit Strudelax verknüpfen");
        EXPECT_EQ(d->findChild<QGroupBox *>("fraChooseFromats")->title(),
                  "Welche Dateitypen sollen mit dieser Strudelax-Version verknüpft werden?");
        EXPECT_EQ(ControlText(d, "chkSDX"), "Strudelax-Dateien      (mit Endung  *.sdx)");
        EXPECT_TRUE(ControlChecked(d, "chkSDX") && !ControlChecked(d, "chkVEC") && !ControlChecked(d, "chkDAT"));
        EXPECT_EQ(ControlText(d, "lblStrudelaxPath"), exe);
        ClickControl(d, "cmdOk");
    });
    frame->mnuAssociateFileType_Click();

    const QString xml = ReadText(Package("sdx"));
    EXPECT_TRUE(xml.contains("<mime-type type=\"application/x-strudelax-datei\">")) << xml.toStdString();
    EXPECT_TRUE(xml.contains("<comment>Vektorfeld von Strudelax</comment>"));
    EXPECT_TRUE(xml.contains("<glob pattern=\"*.sdx\"/>"));
    EXPECT_FALSE(QFile::exists(Package("vec")) || QFile::exists(Package("dat")));
    EXPECT_EQ(DesktopLine("MimeType"), "application/x-strudelax-datei;");
    EXPECT_EQ(DesktopLine("Exec"), DesktopExecLine(exe));
    EXPECT_EQ(DesktopLine("Icon"), "strudelax");
    // the package is one the desktop's own tool accepts
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_TRUE(ReadText(data + "/mime/globs2").contains("application/x-strudelax-datei:*.sdx"));
    }
}

TEST_F(FileTypesTest, CancelAndTheCloseBoxRegisterNothing) {
    MakeFrame();
    user.InDialog("frmFileTypes", [](QDialog *d) {
        SetControlChecked(d, "chkDAT", true);
        ClickControl(d, "cmdCancel");
    });
    user.InDialog("frmFileTypes", [](QDialog *d) {
        SetControlChecked(d, "chkVEC", true);
        d->close();
    });
    frame->mnuAssociateFileType_Click();
    frame->mnuAssociateFileType_Click();
    EXPECT_FALSE(QDir(data).exists());

    user.Answer(MsgAnswer::Ok);
    AssociateFileTypes(nullptr, TempPath("weg/strudelax"));
    EXPECT_EQ(user.asked.back().message.text, "Konnte die Datei '" + TempPath("weg/strudelax").toStdString() +
                                                  "' nicht finden. Verknüpfung der Dateitypen nicht möglich!");
    EXPECT_EQ(user.asked.back().message.title, "Strudelax - Fehler beim Verknüpfen der Dateitypen");
    EXPECT_FALSE(QDir(data).exists());
}

TEST_F(FileTypesTest, DocumentMenuRegistersAllThreeTypes) {
    MakeFrame();
    const QString doc = TempPath("a.sdx");
    ASSERT_TRUE(WriteSampleSdx(doc.toStdString(), 2, 2));
    frmVectorTable *w = Open(doc);
    ASSERT_TRUE(w);
    QAction *item = w->MenuBar()->findChild<QAction *>("mnuAssociateFileTypes");
    ASSERT_TRUE(item && item->isEnabled());
    EXPECT_TRUE(frame->findChild<QAction *>("mnuAssociateFileType")->isEnabled());
    user.InDialog("frmFileTypes", [](QDialog *d) {
        SetControlChecked(d, "chkDAT", true);
        SetControlChecked(d, "chkVEC", true);
        ClickControl(d, "cmdOk");
    });
    item->trigger();
    EXPECT_TRUE(ReadText(Package("vec")).contains("<comment>Vektorfeld von Davis</comment>"));
    EXPECT_TRUE(ReadText(Package("dat")).contains("<glob pattern=\"*.dat\"/>"));
    EXPECT_EQ(RegisteredMimeTypes(),
              QStringList({"application/x-strudelax-datei", "application/x-davis-datei", "application/x-edpiv-datei"}));
}

TEST_F(FileTypesTest, RegisteringAgainOverwritesKeepsTheOthersAndQuotesTheProgram) {
    QString ext = "sdx";
    ASSERT_TRUE(RegisterFileType(ext, "Strudelax-Datei", "Vektorfeld von Strudelax", "/opt/alt/strudelax"));
    EXPECT_EQ(ext, ".sdx");  // the caller's text gets its dot
    QString vec = ".vec";
    ASSERT_TRUE(RegisterFileType(vec, "DaVis-Datei", "Vektorfeld von Davis", "/opt/alt/strudelax"));
    {
        QFile f(Package("sdx"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kaputt");
    }
    // a blank in the program's path must not split it into two arguments
    ASSERT_TRUE(RegisterFileType(ext, "Strudelax-Datei", "Vektorfeld von Strudelax", "/opt/neu/Mein Ordner/strudelax"));
    EXPECT_TRUE(ReadText(Package("sdx")).contains("<glob pattern=\"*.sdx\"/>"));
    EXPECT_EQ(RegisteredMimeTypes(), QStringList({"application/x-strudelax-datei", "application/x-davis-datei"}));
    EXPECT_EQ(DesktopLine("Exec"), "\"/opt/neu/Mein Ordner/strudelax\" %f");
    EXPECT_EQ(ReadText(DesktopEntryPath()).count("MimeType="), 1);

    // the desktop's escapes inside the quotes, then once more for the key file
    EXPECT_EQ(DesktopExecLine("/opt/a$b`c\"d\\e/100%/s"), "\"/opt/a\\$b\\`c\\\"d\\\\e/100%%/s\" %f");
    ASSERT_TRUE(RegisterFileType(ext, "Strudelax-Datei", "Vektorfeld von Strudelax", "/opt/a\\b/strudelax"));
    EXPECT_EQ(DesktopLine("Exec"), "\"/opt/a\\\\\\\\b/strudelax\" %f");
}

TEST_F(FileTypesTest, DatFilesStayTextAndTheProgramBecomesTheDefaultWithoutLosingOtherEntries) {
    MakeFrame();
    ASSERT_TRUE(QDir().mkpath(config));
    const QString before =
        "[Added Associations]\n"
        "text/plain=org.gnome.gedit.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "text/plain=org.gnome.gedit.desktop;\n"
        "application/x-edpiv-datei=other.desktop;\n"
        "\n"
        "[Removed Associations]\n"
        "image/png=viewer.desktop;\n";
    {
        QFile f(config + "/mimeapps.list");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(before.toUtf8());
    }
    user.InDialog("frmFileTypes", [](QDialog *d) {
        SetControlChecked(d, "chkDAT", true);
        SetControlChecked(d, "chkVEC", true);
        ClickControl(d, "cmdOk");
    });
    frame->mnuAssociateFileType_Click();

    EXPECT_EQ(UserMimeAppsListPath(), config + "/mimeapps.list");
    EXPECT_EQ(ReadText(config + "/mimeapps.list"),
              "[Added Associations]\n"
              "text/plain=org.gnome.gedit.desktop;\n"
              "\n"
              "[Default Applications]\n"
              "text/plain=org.gnome.gedit.desktop;\n"
              "application/x-edpiv-datei=strudelax.desktop;other.desktop;\n"
              "application/x-strudelax-datei=strudelax.desktop;\n"
              "application/x-davis-datei=strudelax.desktop;\n"
              "\n"
              "[Removed Associations]\n"
              "image/png=viewer.desktop;\n");

    // only the text format is a kind of plain text
    EXPECT_TRUE(ReadText(Package("dat")).contains("<sub-class-of type=\"text/plain\"/>"));
    EXPECT_FALSE(ReadText(Package("vec")).contains("sub-class-of"));
    EXPECT_FALSE(ReadText(Package("sdx")).contains("sub-class-of"));
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_TRUE(ReadText(data + "/mime/subclasses").contains("application/x-edpiv-datei text/plain"));
    }

    // registering again changes nothing more; a missing list is created
    QString ext = ".sdx";
    ASSERT_TRUE(RegisterFileType(ext, "Strudelax-Datei", "Vektorfeld von Strudelax", "/opt/strudelax"));
    EXPECT_EQ(ReadText(config + "/mimeapps.list").count("application/x-strudelax-datei="), 1);
    QFile::remove(config + "/mimeapps.list");
    ASSERT_TRUE(SetDefaultApplication("application/x-davis-datei"));
    EXPECT_EQ(ReadText(config + "/mimeapps.list"),
              "[Default Applications]\napplication/x-davis-datei=strudelax.desktop;\n");
}
