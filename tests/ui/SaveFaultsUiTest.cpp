// Saves and exports whose file operations fail: through the writers' fault
// seam every step (open, write, flush, sync, rename) fails with no room, an
// I/O error or no permission. The user gets the save error, the old file
// keeps its bytes, no temporary file is left and the document stays as it was.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <cerrno>
#include <cmath>

#include "AtomicFile.h"
#include "PlotTestSupport.h"
#include "platform/PrinterSurface.h"

using namespace sx;
using namespace plottest;

namespace {

const char kSaveError[] =
    "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende Datei "
    "schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter einem anderen Namen!";

const FileStep kSteps[] = {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename};
const int kErrors[] = {ENOSPC, EIO, EACCES};

class SaveFaults : public PlotUi {
protected:
    static QByteArray Read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void Put(const QString &name, const QByteArray &bytes) {
        QFile f(TempPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Everything in the test folder but the settings.
    QStringList Files() const {
        QStringList names = QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }
    // The last box was the save error, as every failed save shows it.
    void ExpectSaveError() {
        ASSERT_FALSE(user.asked.empty());
        const UserMessage &m = user.asked.back().message;
        EXPECT_EQ(m.text, kSaveError);
        EXPECT_EQ(m.title, "Fehler beim Speichern");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
    // The file the window saves to.
    void Target(frmVectorTable *w, const char *name) {
        w->doc.FilePath = TempPath(name).toStdString();
        w->doc.FileName = name;
    }
    // A 4 x 3 field open from feld.sdx, with a DAT twin written by the program itself.
    frmVectorTable *OpenFieldWithDatTwin() {
        frmVectorTable *w = OpenField(4, 3);
        if (!w) return nullptr;
        DescribeDatGrid(w->doc);
        Target(w, "feld.dat");
        w->MarkModified();
        w->mnuSave_Click();
        EXPECT_FALSE(w->doc.Modified);
        return w;
    }
    static std::string Trace(FileStep step, int error) {
        return "step " + std::to_string(static_cast<int>(step)) + ", errno " + std::to_string(error);
    }
};

}  // namespace

TEST_F(SaveFaults, SavingEitherFormatKeepsTheOldFileAndTheMark) {
    frmVectorTable *w = OpenFieldWithDatTwin();
    ASSERT_TRUE(w);
    for (const char *name : {"feld.sdx", "feld.dat"}) {
        Target(w, name);
        const QByteArray before = Read(TempPath(name));
        const QStringList files = Files();
        for (FileStep step : kSteps) {
            for (int error : kErrors) {
                SCOPED_TRACE(name + (" " + Trace(step, error)));
                w->doc.U(2, 2) = 7;
                w->MarkModified();
                InjectedFileFault fault(step, error);
                user.Answer(MsgAnswer::Ok);
                w->mnuSave_Click();
                EXPECT_GE(fault.Hits(), 1);
                ExpectSaveError();
                EXPECT_TRUE(w->doc.Modified);
                EXPECT_EQ(w->windowTitle().toStdString(), std::string(name) + " (verändert)");
                EXPECT_EQ(Read(TempPath(name)), before);
                EXPECT_EQ(Files(), files);
            }
        }
        // without a fault the same save goes through
        w->mnuSave_Click();
        EXPECT_FALSE(w->doc.Modified);
        EXPECT_NE(Read(TempPath(name)), before);
    }
}

TEST_F(SaveFaults, AFailedSaveFromTheClosePromptKeepsTheWindowOpen) {
    frmVectorTable *w = OpenField(3, 3);
    ASSERT_TRUE(w);
    const QByteArray before = Read(TempPath("feld.sdx"));
    w->MarkModified();
    InjectedFileFault fault(FileStep::Sync, EIO);
    user.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    w->mnuClose_Click();
    QApplication::processEvents();
    const auto texts = user.MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], kSaveError);
    EXPECT_EQ(texts[2], "Aufgrund eines Fehlers beim Speichern wird das Fenster nicht geschlossen.");
    EXPECT_EQ(frame->Documents().size(), 1);
    EXPECT_EQ(Read(TempPath("feld.sdx")), before);
}

TEST_F(SaveFaults, AFolderWithoutWriteRightsStillSavesAWritableFile) {
    frmVectorTable *w = OpenField(3, 3);
    ASSERT_TRUE(w);
    w->doc.InfoText = "gespeichert";
    w->MarkModified();
    // the folder refuses the temporary file once; the file itself is rewritten
    InjectedFileFault folder(FileStep::Open, EACCES, 1);
    w->mnuSave_Click();
    EXPECT_EQ(folder.Hits(), 1);
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx");
    VectorDocument back;
    ASSERT_TRUE(ReadSdxFile(TempPath("feld.sdx").toStdString(), back).ok);
    EXPECT_EQ(back.InfoText, "gespeichert");
}

TEST_F(SaveFaults, ADocumentHoldingNaNIsNotWrittenAsSdx) {
    frmVectorTable *w = OpenField(3, 3);
    ASSERT_TRUE(w);
    const QByteArray before = Read(TempPath("feld.sdx"));
    for (double bad : {std::nan(""), HUGE_VAL}) {
        w->doc.V(2, 3) = bad;
        w->MarkModified();
        user.Answer(MsgAnswer::Ok);
        w->mnuSave_Click();
        ExpectSaveError();
        EXPECT_TRUE(w->doc.Modified);
        EXPECT_EQ(Read(TempPath("feld.sdx")), before);
    }
    EXPECT_EQ(Files(), QStringList{"feld.sdx"});
}

TEST_F(SaveFaults, ContentTheFileCouldNotTakeBackIsRefusedWithItsOwnBox) {
    frmVectorTable *w = OpenFieldWithDatTwin();
    ASSERT_TRUE(w);
    const std::string datBox =
        "Der Wert 10000 des Vektors (2, 3) passt nicht in die Spalte Vx[m/s] der DAT-Datei; die Datei wäre nicht "
        "mehr lesbar. Speichern Sie das Vektorfeld im SDX-Format.";
    const std::string sdxBox =
        "Der Infotext ist zu lang: höchstens 1048576 Zeichen lassen sich speichern, ein längerer Text käme beim "
        "Öffnen abgeschnitten zurück. Kürzen Sie den Text.";
    // a velocity too wide for its DAT column; an info text above the bound
    for (const char *name : {"feld.dat", "feld.sdx"}) {
        SCOPED_TRACE(name);
        const bool dat = std::string(name) == "feld.dat";
        Target(w, name);
        if (dat)
            w->doc.U(2, 3) = 10000;
        else
            w->doc.InfoText.assign(1048577, 'i');
        w->MarkModified();
        const QByteArray before = Read(TempPath(name));
        const QStringList files = Files();
        user.asked.clear();
        user.Answer(MsgAnswer::Ok);
        w->mnuSave_Click();
        ASSERT_EQ(user.asked.size(), 1u);
        const UserMessage &m = user.asked.back().message;
        EXPECT_EQ(m.text, dat ? datBox : sdxBox);
        EXPECT_EQ(m.title, "Fehler beim Speichern");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_TRUE(w->doc.Modified);
        EXPECT_EQ(w->windowTitle().toStdString(), std::string(name) + " (verändert)");
        EXPECT_EQ(Read(TempPath(name)), before);
        EXPECT_EQ(Files(), files);
    }
}

TEST_F(SaveFaults, StreamlineExport) {
    frmVectorTable *w = OpenField(4, 3);
    PlaceCells(w);
    w->DrawVectorfield();
    auto *option = new QAction(w->MenuBar());
    option->setObjectName(QStringLiteral("mnuExportTrajectory"));
    option->setCheckable(true);
    option->setChecked(true);
    Put("bahn.txt", "alte Stromlinie");
    const QStringList files = Files();
    int k = 0;
    for (FileStep step : kSteps) {
        const int error = kErrors[k++ % 3];
        SCOPED_TRACE(Trace(step, error));
        InjectedFileFault fault(step, error);
        user.ChooseFile(TempPath("bahn.txt"), 1).Answer(MsgAnswer::Ok);
        w->AddTrajectory(15, 15, 0.01);
        EXPECT_GE(fault.Hits(), 1);
        ExpectSaveError();
        EXPECT_EQ(Read(TempPath("bahn.txt")), "alte Stromlinie");
        EXPECT_EQ(Files(), files);
        // a file that cannot be opened leaves the plot as it was
        if (step == FileStep::Open) {
            EXPECT_EQ(Pixel(w->imgVectorfield, 300, 150), kWhite);
        }
    }
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(SaveFaults, TextExports) {
    frmVectorTable *w = OpenField(4, 3);
    ASSERT_TRUE(w);
    Put("export.txt", "alter Export");
    const QStringList files = Files();
    const FieldArray<double> back = w->doc.BackValues;
    int k = 0;
    for (FileStep step : kSteps) {
        for (QAction *item :
             {w->Action("mnuExportVectorfieldForStanford"), w->Action("mnuExportVorticityForStanford")}) {
            const int error = kErrors[k++ % 3];
            SCOPED_TRACE(item->objectName().toStdString() + " " + Trace(step, error));
            InjectedFileFault fault(step, error);
            // "export" becomes export.txt, which is there: the user agrees to replace it
            user.ChooseFile(TempPath("export"), 1).Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
            item->trigger();
            EXPECT_GE(fault.Hits(), 1);
            ExpectSaveError();
            EXPECT_EQ(Read(TempPath("export.txt")), "alter Export");
            EXPECT_EQ(Files(), files);
            EXPECT_EQ(w->doc.BackValues, back);
        }
    }
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(SaveFaults, BitmapExport) {
    frmVectorTable *w = OpenField(3, 2);
    ASSERT_TRUE(w);
    w->resize(500, 400);
    w->Form_Resize();
    const QRect plot = w->imgVectorfield->geometry();
    Put("bild.bmp", "altes Bild");
    const QStringList files = Files();
    int k = 0;
    for (FileStep step : kSteps) {
        const int error = kErrors[k++ % 3];
        SCOPED_TRACE(Trace(step, error));
        InjectedFileFault fault(step, error);
        user.InDialog("frmPicSize", [](QDialog *d) {
            SetControlText(d, "txtxSize", "200");
            SetControlText(d, "txtySize", "150");
            ClickControl(d, "cmdOk");
        });
        user.ChooseFile(TempPath("bild")).Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
        w->Action("mnuExportVectorfieldAsBitmap")->trigger();
        EXPECT_GE(fault.Hits(), 1);
        ExpectSaveError();  // and no "Bitmap gespeichert..." after it
        EXPECT_EQ(Read(TempPath("bild.bmp")), "altes Bild");
        EXPECT_EQ(Files(), files);
        EXPECT_EQ(w->imgVectorfield->geometry(), plot);
        EXPECT_EQ(w->doc.RefVelocity, 0);
    }
}

TEST_F(SaveFaults, PrintingIntoAPdfFile) {
    frmVectorTable *w = OpenField(3, 2);
    ASSERT_TRUE(w);
    Put("druck.pdf", "altes PDF");
    const QStringList files = Files();
    int k = 0;
    for (FileStep step : kSteps) {
        const int error = kErrors[k++ % 3];
        SCOPED_TRACE(Trace(step, error));
        InjectedFileFault fault(step, error);
        user.InDialog("frmPrinter", [](QDialog *d) {
            auto *cmb = d->findChild<QComboBox *>(QStringLiteral("cmbPrinter"));
            ASSERT_TRUE(cmb);
            cmb->setCurrentIndex(cmb->findText(QString::fromUtf8(kPdfPrinterName)));
            ClickControl(d, "cmdOk");
        });
        user.ChooseFile(TempPath("druck.pdf")).Answer(MsgAnswer::Ok);
        w->Action("mnuPrint")->trigger();
        EXPECT_GE(fault.Hits(), 1);
        ExpectSaveError();
        EXPECT_EQ(Read(TempPath("druck.pdf")), "altes PDF");
        EXPECT_EQ(Files(), files);
    }
}
