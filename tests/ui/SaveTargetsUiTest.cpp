// The file a save or export really writes: its name is made from what was
// typed in the dialog, so the program asks before replacing a file the
// dialog did not ask about, and it builds its proposals from the bytes of
// the document's path.

#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>

#include <cstdio>

#include "DatFile.h"
#include "SampleDocument.h"
#include "Transformation.h"
#include "UiTestSupport.h"
#include "platform/FileNames.h"
#include "platform/PictureBox.h"

using namespace sx;

namespace {

std::string Question(const std::string &name) {
    return "Die Datei " + name + " existiert bereits.\r\nSoll sie überschrieben werden?";
}

class SaveTargets : public UiTest {
protected:
    frmVectorTable *OpenSample() {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), 3, 2, DescribeDatGrid));
        frmVectorTable *w = Open(path);
        if (w) {
            w->resize(500, 400);
            w->Form_Resize();
        }
        return w;
    }
    void Put(const QString &name, const QByteArray &bytes) {
        QFile f(TempPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Read(const QString &name) const {
        QFile f(TempPath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // The last box was the replace question about `name`, under `title`.
    void ExpectQuestion(const std::string &name, const std::string &title) {
        ASSERT_FALSE(user.asked.empty());
        const UserMessage &m = user.asked.back().message;
        EXPECT_EQ(m.text, Question(name));
        EXPECT_EQ(m.title, title);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::YesNo);
        EXPECT_EQ(DefaultAnswer(m), MsgAnswer::No);
    }
};

// A user who takes every proposed name as it stands.
class AcceptingUser : public ScriptedUser {
public:
    explicit AcceptingUser(int filter) : filter_(filter) {}
    bool ShowFileDialog(FileDialogRequest &r) override {
        proposals.push_back(r.fileName);
        r.filterIndex = filter_;
        return true;
    }
    std::vector<QString> proposals;

private:
    int filter_;
};

bool ExistsAsBytes(const QByteArray &path) { return ::access(path.constData(), F_OK) == 0; }

}  // namespace

TEST_F(SaveTargets, SaveAsAsksAboutTheFileItReallyWrites) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    w->MarkModified();
    Put("alt.sdx", "alte Bytes");
    SaveSetting("Files", "LastOpenedFormat", "VEC");

    // "alt" and "alt.dat" under the SDX filter both become alt.sdx, which the dialog never named
    for (const char *typed : {"alt", "alt.dat"}) {
        SCOPED_TRACE(typed);
        user.ChooseFile(TempPath(typed), 1).Answer(MsgAnswer::No);
        w->mnuSaveAs_Click();
        ExpectQuestion("alt.sdx", "Speichern unter");
        EXPECT_EQ(Read("alt.sdx"), "alte Bytes");
        EXPECT_EQ(w->doc.FilePath, TempPath("feld.sdx").toStdString());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("feld.sdx (verändert)"));
        EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), QStringLiteral("VEC"));
    }
    // the name the dialog confirmed itself is not asked about again
    const size_t before = user.asked.size();
    user.ChooseFile(TempPath("alt.sdx"), 1);
    w->mnuSaveAs_Click();
    EXPECT_EQ(user.asked.size(), before + 1);  // the dialog only
    EXPECT_NE(Read("alt.sdx"), "alte Bytes");
    EXPECT_EQ(w->windowTitle(), QStringLiteral("alt.sdx"));

    // a save that fails leaves the document with the file it came from, still unsaved
    w->MarkModified();
    user.ChooseFile(TempPath("weg/neu"), 1).Answer(MsgAnswer::Ok);
    w->mnuSaveAs_Click();
    EXPECT_EQ(user.asked.back().message.title, "Fehler beim Speichern");
    EXPECT_EQ(w->doc.FilePath, TempPath("alt.sdx").toStdString());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("alt.sdx (verändert)"));

    // Yes replaces
    Put("neu.dat", "alte Bytes");
    user.ChooseFile(TempPath("neu"), 2).Answer(MsgAnswer::Yes);
    w->mnuSaveAs_Click();
    ExpectQuestion("neu.dat", "Speichern unter");
    EXPECT_NE(Read("neu.dat"), "alte Bytes");
    EXPECT_EQ(w->doc.FileName, "neu.dat");
}

TEST_F(SaveTargets, ASaveAsThatIsRefusedAsksNothingAboutTheFileItWouldReplace) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    w->MarkModified();
    Put("alt.dat", "alte Bytes");
    const auto positions = w->doc.PosXs;
    const std::string grid =
        "Bildgröße, Interrogation Window, Gitterabstand und Maßstab im Dateikopf beschreiben nicht das Gitter dieses "
        "Vektorfeldes; die Vektoren der DAT-Datei kämen beim Öffnen nicht an ihre Stelle. Speichern Sie das "
        "Vektorfeld im SDX-Format.";
    const std::string shift =
        "Die Datei läßt sich nach einer XY-Koordinatentransformation nicht mehr im DAT-Format abspeichern!";
    for (const std::string &refusal : {grid, shift}) {
        SCOPED_TRACE(refusal);
        if (refusal == grid)
            for (double &x : w->doc.PosXs) x *= 1.5;
        else
            w->doc.TrafoShiftX = 2;
        // chosen by its name or as the file itself: the dialog does not ask, the refusal comes alone
        for (const char *chosen : {"alt", "alt.dat"}) {
            user.asked.clear();
            user.ChooseFile(TempPath(chosen), 2).Answer(MsgAnswer::Ok);
            w->mnuSaveAs_Click();
            ASSERT_FALSE(user.asked.empty());
            EXPECT_EQ(user.asked.front().file.flags & 2, 0);
            EXPECT_EQ(user.MessageTexts(), std::vector<std::string>{refusal});
            EXPECT_EQ(Read("alt.dat"), "alte Bytes");
        }
        EXPECT_EQ(w->doc.FilePath, TempPath("feld.sdx").toStdString());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("feld.sdx (verändert)"));
        w->doc.PosXs = positions;
        w->doc.TrafoShiftX = 0;
    }
    // mirrored, the field saves: the question, then the file
    MirrorField(w->doc, true, true);
    user.asked.clear();
    user.ChooseFile(TempPath("alt"), 2).Answer(MsgAnswer::Yes);
    w->mnuSaveAs_Click();
    ExpectQuestion("alt.dat", "Speichern unter");
    EXPECT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.asked.front().file.flags & 2, 2);  // nothing refused: the dialog asks itself
    EXPECT_EQ(w->windowTitle(), QStringLiteral("alt.dat"));
    VectorDocument back;
    ASSERT_TRUE(ReadDatFile(TempPath("alt.dat").toStdString(), back).ok);
    EXPECT_EQ(back.CountValid(), 6);
}

TEST_F(SaveTargets, ExportsAskAboutTheFileTheyReallyWrite) {
    frmVectorTable *w = OpenSample();
    ASSERT_TRUE(w);
    Put("exp.txt", "alter Export");
    user.ChooseFile(TempPath("exp"), 1).Answer(MsgAnswer::No);
    w->Action("mnuExportVorticityForStanford")->trigger();
    ExpectQuestion("exp.txt", "Speichern unter");
    EXPECT_EQ(Read("exp.txt"), "alter Export");
    user.ChooseFile(TempPath("exp.csv"), 1).Answer(MsgAnswer::Yes);
    w->Action("mnuExportVectorfieldForStanford")->trigger();
    ExpectQuestion("exp.txt", "Speichern unter");
    EXPECT_TRUE(Read("exp.txt").startsWith("X[mm]"));

    const QRect plot = w->imgVectorfield->geometry();
    Put("bild.bmp", "altes Bild");
    user.InDialog("frmPicSize", [](QDialog *d) {
        SetControlText(d, "txtRefVecAbs", "1");
        ClickControl(d, "cmdOk");
    });
    user.ChooseFile(TempPath("bild"), 1).Answer(MsgAnswer::No);
    w->Action("mnuExportVectorfieldAsBitmap")->trigger();
    ExpectQuestion("bild.bmp", "Bitmap exportieren");  // and no "Bitmap gespeichert..."
    EXPECT_EQ(Read("bild.bmp"), "altes Bild");
    EXPECT_EQ(w->doc.RefVelocity, 0);
    EXPECT_EQ(w->imgVectorfield->geometry(), plot);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(SaveTargets, Latin1NamesSurviveTheProposalsOfSaveAsAndTheExports) {
    SaveSetting("StartUp", "ShowInfo", "No");
    // "mäß/über.sdx" in Latin-1, folder and file
    const QByteArray folder = QFile::encodeName(tmp.path()) + "/m\xe4\xdf";
    const QByteArray file = folder +
                            "/\xfc"
                            "ber.sdx";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    ASSERT_TRUE(WriteSampleSdx(file.toStdString(), 3, 2, DescribeDatGrid));
    frmVectorTable *w = Open(DecodeFileName(file));
    ASSERT_TRUE(w);

    AcceptingUser accepting(2);
    SetUser(&accepting);
    w->MarkModified();
    w->mnuSaveAs_Click();
    const QByteArray saved = folder +
                             "/\xfc"
                             "ber.dat";
    EXPECT_TRUE(ExistsAsBytes(saved));
    EXPECT_EQ(w->doc.FilePath, saved.toStdString());
    EXPECT_FALSE(w->doc.Modified);

    // the exports propose the bare name; it lands in the working folder
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    w->Action("mnuExportVectorfieldForStanford")->trigger();
    QDir::setCurrent(cwd);
    const QByteArray exported = QFile::encodeName(tmp.path()) +
                                "/VF of \xfc"
                                "ber.dat";
    EXPECT_TRUE(ExistsAsBytes(exported));
    SetUser(&user);

    ASSERT_EQ(accepting.proposals.size(), 2u);
    EXPECT_EQ(EncodeFileName(accepting.proposals[0]), folder +
                                                          "/\xfc"
                                                          "ber");
    EXPECT_EQ(EncodeFileName(accepting.proposals[1]), QByteArray("VF of \xfc"
                                                                 "ber"));
    EXPECT_TRUE(accepting.asked.empty());  // no message box on the way
    // Qt cannot name these files to clean up
    for (const QByteArray &f : {file, saved, exported}) std::remove(f.constData());
    ::rmdir(folder.constData());
}
