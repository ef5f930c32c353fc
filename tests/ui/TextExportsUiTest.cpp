// The text-export commands: menu, save dialog and name rules, the working
// use of the background array, the save error, and the streamline option.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "DerivedFields.h"
#include "FileBytes.h"
#include "SampleDocument.h"
#include "TextExports.h"
#include "UiTestSupport.h"

using namespace sx;

namespace {

class TextExportsUi : public UiTest {
protected:
    // 4 x 3 nodes turning around the middle, so that vorticity and swirl are not 0.
    frmVectorTable *OpenField() {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), 4, 3, [](VectorDocument &d) {
            for (int i = 1; i <= d.NX; ++i)
                for (int j = 1; j <= d.NY; ++j) {
                    d.U(i, j) = 0.1 * (d.PosY(j) + 2) + 0.01 * i;
                    d.V(i, j) = -0.2 * (d.PosX(i) - 1) + 0.02 * j * j;
                }
            d.Status(2, 1) = StatusInvalid;
        }));
        return Open(path);
    }
    static QByteArray Read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static char Sep() { return frmVectorTable::LocaleDecimalSeparator(); }
};

}  // namespace

TEST_F(TextExportsUi, ExportMenuStartsWithTheOptionOffAndTheTestFunctionDisabled) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    QAction *option = w->Action("mnuExportTrajectory");
    ASSERT_TRUE(option);
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    for (const char *sub : {"mnuExportForStanford", "mnuExportForTecPlot", "mnuExportForMatlab"})
        EXPECT_TRUE(w->mnuExport->findChild<QMenu *>(QString::fromLatin1(sub))) << sub;
    EXPECT_FALSE(w->Action("mnuExportTestFunctionForStanford")->isEnabled());
}

TEST_F(TextExportsUi, VectorExportAsksWithTheDocumentsNameAndReplacesTheTypedExtension) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    user.ChooseFile(TempPath("result.csv"));
    w->Action("mnuExportVectorfieldForStanford")->trigger();
    ASSERT_EQ(user.asked.size(), 1u);
    const FileDialogRequest &r = user.asked[0].file;
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.fileName, QStringLiteral("VF of feld"));
    EXPECT_EQ(r.filter, QStringLiteral("Reine Text-Datei (*.txt)|*.txt|DAT-Datei (*.dat)|*.dat"));
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.flags, 6);
    EXPECT_EQ(Read(TempPath("result.txt")).toStdString(), StanfordVectorFile(w->doc, Sep()));
    EXPECT_FALSE(QFile::exists(TempPath("result.csv")));
    EXPECT_FALSE(w->doc.Modified);

    // the second filter entry gives ".dat"; Matlab always ".csv"
    user.ChooseFile(TempPath("profil.txt"), 2);
    w->mnuExportVectorfieldForStanford_Click();
    EXPECT_EQ(Read(TempPath("profil.dat")).toStdString(), StanfordVectorFile(w->doc, Sep()));
    user.ChooseFile(TempPath("m"));
    w->mnuExportVectorfieldForMatlab_Click();
    EXPECT_EQ(user.asked.back().file.filter, QStringLiteral("Matlab-Datei (*.csv)|*.csv|"));
    EXPECT_EQ(Read(TempPath("m.csv")).toStdString(), MatlabVectorFile(w->doc));
}

TEST_F(TextExportsUi, CancelWritesNothingAndComputesNothing) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    for (double &b : w->doc.BackValues) b = 42;
    user.CancelFile();
    w->mnuExportVorticityForTecPlot_Click();
    EXPECT_TRUE(QDir(tmp.path()).entryList({"VOR*", "*.txt"}, QDir::Files).isEmpty());
    for (double b : w->doc.BackValues) EXPECT_EQ(b, 42);
}

TEST_F(TextExportsUi, ScalarExportsPutTheShownBackgroundBack) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    VectorDocument expected = w->doc;
    CalcSwirlSquare(expected);

    // vorticity shown: afterwards the array holds the vorticity again
    w->mnuVecBackgroundVorticity_Click();
    const FieldArray<double> vorticity = w->doc.BackValues;
    user.ChooseFile(TempPath("sw"));
    w->mnuExportSwirlSquareForStanford_Click();
    EXPECT_EQ(Read(TempPath("sw.txt")).toStdString(), StanfordScalarFile(expected, Sep()));
    EXPECT_TRUE(w->doc.BackValues == vorticity);

    user.ChooseFile(TempPath("tec"));
    w->mnuExportSwirlForTecPlot_Click();
    EXPECT_EQ(Read(TempPath("tec.txt")).toStdString(), TecPlotScalarFile(expected, Sep(), true));
    user.ChooseFile(TempPath("mat"));
    w->mnuExportSwirlSquareForMatlab_Click();
    EXPECT_EQ(Read(TempPath("mat.csv")).toStdString(), MatlabScalarFile(expected));
    EXPECT_TRUE(w->doc.BackValues == vorticity);

    // a background from the buffer keeps exactly its values
    w->doc.View.Background = BackFromBuffer;
    for (size_t k = 0; k < w->doc.BackValues.size(); ++k) w->doc.BackValues[k] = 0.5 * static_cast<double>(k);
    const FieldArray<double> buffered = w->doc.BackValues;
    user.ChooseFile(TempPath("vor"));
    w->mnuExportVorticityForStanford_Click();
    EXPECT_TRUE(w->doc.BackValues == buffered);
    CalcVorticity(expected);
    EXPECT_EQ(Read(TempPath("vor.txt")).toStdString(), StanfordScalarFile(expected, Sep()));
}

TEST_F(TextExportsUi, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    w->mnuVecBackgroundSwirlSquare_Click();
    const FieldArray<double> swirl = w->doc.BackValues;
    user.ChooseFile(TempPath("fehlt/datei.txt")).Answer(MsgAnswer::Ok);
    w->mnuExportVorticityForTecPlot_Click();
    const UserMessage &m = user.asked.back().message;
    EXPECT_EQ(m.text, ExportSaveErrorMessage().text);
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.title, "Fehler beim Speichern");
    EXPECT_TRUE(w->doc.BackValues == swirl);

    // a target that cannot be replaced (here a folder of that name) stays as it was
    ASSERT_TRUE(QDir(tmp.path()).mkdir("ordner.txt"));
    user.ChooseFile(TempPath("ordner.csv")).Answer(MsgAnswer::Ok);
    w->mnuExportVelProfileForStanford_Click();
    EXPECT_EQ(user.MessageTexts().size(), 2u);
    EXPECT_TRUE(QDir(TempPath("ordner.txt")).exists());
}

TEST_F(TextExportsUi, StreamlineOptionAsksForTheDistanceOnlyWhenSwitchedOn) {
    frmVectorTable *w = OpenField();
    ASSERT_TRUE(w);
    QAction *option = w->Action("mnuExportTrajectory");
    user.Type("0.5").Answer(MsgAnswer::Ok);
    option->trigger();
    EXPECT_TRUE(option->isChecked());
    EXPECT_EQ(w->doc.ExportDistance, 0.5);
    ASSERT_GE(user.asked.size(), 2u);
    EXPECT_EQ(user.asked[0].title, QStringLiteral("Stromlinie exportieren"));
    EXPECT_EQ(user.asked[0].text, QStringLiteral(".1"));
    EXPECT_EQ(
        user.asked[1].message.text,
        "Solange die Option 'Stromlinie exportieren' markiert ist, wird jede Stromlinie als Liste von Koordinaten "
        "abgespeichert, die untereinander mindestens einen Abstand von .5 mm voneinander haben.");
    EXPECT_EQ(user.asked[1].message.icon, MsgIcon::Information);

    option->trigger();  // off: no question
    EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(user.asked.size(), 2u);

    user.CancelInput();
    option->trigger();
    EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(w->doc.ExportDistance, 0.5);

    // a comma ends the number
    user.Type("0,5").Answer(MsgAnswer::Ok);
    option->trigger();
    EXPECT_TRUE(option->isChecked());
    EXPECT_EQ(w->doc.ExportDistance, 0);
}
