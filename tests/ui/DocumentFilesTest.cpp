#include <QFileInfo>
#include <QMdiSubWindow>

#include "DocumentLimit.h"
#include "FileBytes.h"
#include "SdxFile.h"
#include "UiTestSupport.h"

using namespace sx;

namespace {

const char *kSaveError =
    "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende Datei "
    "schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter einem anderen Namen!";

class DocumentFiles : public UiTest {
protected:
    static VectorDocument Sample() {
        VectorDocument d;
        d.Resize(3, 2);
        for (int i = 1; i <= 3; ++i) d.PosX(i) = i;
        for (int j = 1; j <= 2; ++j) d.PosY(j) = -j;
        for (size_t k = 0; k < d.Statuses.size(); ++k) {
            d.Statuses[k] = 1;
            d.Us[k] = 0.5 * k;
        }
        d.ValidCount = 6;
        d.InfoText = "Original";
        return d;
    }
    frmVectorTable *OpenSample(const QString &name) {
        const QString path = TempPath(name);
        EXPECT_EQ(WriteSdxFile(Sample(), path.toStdString()), SaveResult::Ok);
        SaveSetting("StartUp", "ShowInfo", "No");
        return Open(path);
    }
    static std::string DiskInfoText(const QString &path) {
        VectorDocument d;
        return ReadSdxFile(path.toStdString(), d).ok ? d.InfoText : "<unreadable>";
    }
};

}  // namespace

TEST_F(DocumentFiles, LoadSetsCaptionAndDefaults) {
    SaveSetting("Colors", "Vector", "255");
    auto *w = OpenSample("feld.sdx");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "feld.sdx");
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_TRUE(w->doc.IgnoreMouseUp);
    // the own format brings its colours along, whatever the settings say
    EXPECT_EQ(w->doc.Colors[ColVector], Rgb(0, 0, 255));
    w->MarkModified();
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
}

TEST_F(DocumentFiles, SaveWritesTheFormatOfTheNameAndClearsTheMark) {
    auto *w = OpenSample("feld.sdx");
    SaveSetting("Files", "LastOpenedFormat", "VEC");
    w->doc.InfoText = "Neu";
    w->MarkModified();
    w->mnuSave_Click();
    EXPECT_FALSE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx");
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "SDX");
    EXPECT_EQ(DiskInfoText(TempPath("feld.sdx")), "Neu");
}

TEST_F(DocumentFiles, RefusedSavesKeepTheMarkButStillRecordTheFormat) {
    auto *w = OpenSample("feld.sdx");
    // as if it had come from a DaVis file
    w->doc.FileName = "feld.vec";
    w->MarkModified();
    user.Answer(MsgAnswer::Ok);
    w->mnuSave_Click();
    EXPECT_EQ(user.asked.back().message.text, "feld.vec? Was ist das denn für ein Dateiformat?");
    EXPECT_EQ(user.asked.back().message.title, "Unbekanntes Dateiformat");
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Question);
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "VEC");
    EXPECT_TRUE(w->doc.Modified);

    w->doc.FileName = "feld.dat";
    w->doc.TrafoShiftX = 0.5;
    user.Answer(MsgAnswer::Ok);
    w->mnuSave_Click();
    EXPECT_EQ(user.asked.back().message.text,
              "Die Datei läßt sich nach einer XY-Koordinatentransformation nicht mehr im DAT-Format abspeichern!");
    EXPECT_EQ(user.asked.back().message.title, "Speichern");
    EXPECT_EQ(GetSetting("Files", "LastOpenedFormat"), "DAT");
    EXPECT_TRUE(w->doc.Modified);
}

TEST_F(DocumentFiles, FailedSaveKeepsTheOldFileAndTheMark) {
    auto *w = OpenSample("feld.sdx");
    w->doc.InfoText = "Neu";
    w->MarkModified();
    QFile::setPermissions(TempPath("feld.sdx"), QFileDevice::ReadOwner);
    if (QFileInfo(TempPath("feld.sdx")).isWritable()) GTEST_SKIP() << "running as a user that may write anything";
    user.Answer(MsgAnswer::Ok);
    w->mnuSave_Click();
    EXPECT_EQ(user.asked.back().message.text, kSaveError);
    EXPECT_EQ(user.asked.back().message.title, "Fehler beim Speichern");
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(DiskInfoText(TempPath("feld.sdx")), "Original");
}

TEST_F(DocumentFiles, SaveIntoAVanishedFolderReportsAndKeepsTheWindowOpenOnClose) {
    auto *w = OpenSample("feld.sdx");
    w->doc.FilePath = TempPath("weg/feld.sdx").toStdString();
    w->MarkModified();
    user.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    w->mnuClose_Click();
    QApplication::processEvents();
    const auto texts = user.MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Die Datei 'feld.sdx' wurde verändert. Wollen Sie vor dem Beenden speichern?");
    EXPECT_EQ(user.asked[0].message.title, "Strudelax beenden");
    EXPECT_EQ(user.asked[0].message.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(texts[1], kSaveError);
    EXPECT_EQ(texts[2], "Aufgrund eines Fehlers beim Speichern wird das Fenster nicht geschlossen.");
    EXPECT_EQ(frame->Documents().size(), 1);
    EXPECT_TRUE(w->doc.Modified);
}

TEST_F(DocumentFiles, ClosePromptAnswers) {
    auto *w = OpenSample("feld.sdx");
    w->MarkModified();
    user.Answer(MsgAnswer::Cancel);
    w->mnuClose_Click();
    QApplication::processEvents();
    EXPECT_EQ(frame->Documents().size(), 1);

    w->doc.InfoText = "Gespeichert";
    user.Answer(MsgAnswer::Yes);
    w->mnuClose_Click();
    QApplication::processEvents();
    EXPECT_TRUE(frame->Documents().isEmpty());
    EXPECT_EQ(frame->StatusTextCaption(), "Datei geschlossen.");
    EXPECT_EQ(DiskInfoText(TempPath("feld.sdx")), "Gespeichert");

    auto *v = OpenSample("zwei.sdx");
    v->doc.InfoText = "Verworfen";
    v->MarkModified();
    user.Answer(MsgAnswer::No);
    v->mnuClose_Click();
    QApplication::processEvents();
    EXPECT_TRUE(frame->Documents().isEmpty());
    EXPECT_EQ(DiskInfoText(TempPath("zwei.sdx")), "Original");

    // unmodified: no question at all
    OpenSample("drei.sdx")->mnuClose_Click();
    QApplication::processEvents();
    EXPECT_TRUE(frame->Documents().isEmpty());
}

TEST_F(DocumentFiles, SaveAsNameRules) {
    auto *w = OpenSample("feld.sdx");
    user.ChooseFile(TempPath("neu"), 1);
    w->mnuSaveAs_Click();
    const auto &req = user.asked.back().file;
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.filter, "Strudelax-Dateien (*.sdx)|*.sdx|DAT-Dateien (*.dat)|*.dat");
    EXPECT_EQ(req.filterIndex, 1);
    // this sample's header describes no DAT grid: the dialog leaves the
    // question about replacing a file to the program, after the refusal
    EXPECT_EQ(req.flags, 4);
    EXPECT_EQ(req.fileName, TempPath("feld"));  // proposed without its extension
    EXPECT_EQ(w->doc.FileName, "neu.sdx");
    EXPECT_EQ(w->windowTitle(), "neu.sdx");
    EXPECT_TRUE(QFile::exists(TempPath("neu.sdx")));

    // a typed extension is replaced by the one of the chosen filter
    user.ChooseFile(TempPath("anders.txt"), 1);
    w->mnuSaveAs_Click();
    EXPECT_EQ(w->doc.FilePath, TempPath("anders.sdx").toStdString());

    // Cancel changes nothing
    user.CancelFile();
    w->mnuSaveAs_Click();
    EXPECT_EQ(w->doc.FileName, "anders.sdx");
}

TEST_F(DocumentFiles, UnknownExtensionOnLoadIsToldAndNothingOpens) {
    MakeFrame();
    QFile f(TempPath("feld.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    user.Answer(MsgAnswer::Ok);
    EXPECT_EQ(Open(TempPath("feld.txt")), nullptr);
    EXPECT_EQ(user.asked.back().message.title, "Ungültiges Dateiformat");
}

TEST_F(DocumentFiles, AFieldAboveTheNodeBoundIsNamedAndTheWindowCloses) {
    MakeFrame();
    // a few hundred bytes claiming 10000 x 10000 nodes
    QFile f(TempPath("riesig.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "Date and time: 1.1.98\r\nRecording 1: a\r\nRecording 2: b\r\nFlow type: c\r\nPhase type: d\r\n"
        "Recording type: e\r\nAlgorithm: f\r\nImage size [pixels]: 160016 x 160016\r\n"
        "Interrogation Window [pixels]: 32 x 32\r\nInterrogation Grid [pixels]: 16 x 16\r\n"
        "Image/objekt ratio[pixels/cm]: 100\r\nTime interval [microsecond]: 10\r\n"
        "Interrogation points: 1\r\n\r\nx y\r\n\r\n16 16 0 0 0 0 1 1\r\n");
    f.close();
    user.Answer(MsgAnswer::Ok);
    EXPECT_EQ(Open(TempPath("riesig.dat")), nullptr);
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.MessageTexts()[0],
              "Das Vektorfeld mit 10000 x 10000 Vektoren ist zu groß; höchstens 16777216 Vektoren können geöffnet "
              "werden.");
    QApplication::processEvents();
    EXPECT_TRUE(frame->Documents().isEmpty());
    EXPECT_EQ(frame->StatusTextCaption(), "Datei geschlossen.");
}

TEST_F(DocumentFiles, TextsAboveTheBoundOpenCutWithOneNoticeAndSaveAgain) {
    SaveSetting("StartUp", "ShowInfo", "No");
    auto notice = [](const std::string &name) {
        return "Mindestens ein Text der Datei '" + name +
               "' war länger als 1048576 Zeichen und wurde beim Öffnen nach 1048576 Zeichen abgeschnitten. Beim "
               "Speichern wird nur der gekürzte Text geschrieben.";
    };
    // as an older version saved them: two texts above the bound, one box
    VectorDocument d = Sample();
    d.InfoText.assign(kMaxTextBytes + 1, 'i');
    d.Header.Algorithm.assign(2 * kMaxTextBytes, 'a');
    const QString path = TempPath("lang.sdx");
    ASSERT_EQ(WriteFileAtomically(path.toStdString(), SdxBytes(d)), SaveResult::Ok);
    user.Answer(MsgAnswer::Ok);
    frmVectorTable *w = Open(path);
    ASSERT_TRUE(w);
    ASSERT_EQ(user.asked.size(), 1u);
    const UserMessage &m = user.asked[0].message;
    EXPECT_EQ(m.text, notice("lang.sdx"));
    EXPECT_EQ(m.title, "Text abgeschnitten");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(w->doc.InfoText, std::string(kMaxTextBytes, 'i'));
    EXPECT_EQ(w->doc.Header.Algorithm, std::string(kMaxTextBytes, 'a'));
    EXPECT_TRUE(SameField(w->doc, d));
    EXPECT_FALSE(w->doc.Modified);
    // saved, it opens again as it is and without a box (none is scripted)
    w->MarkModified();
    w->mnuSave_Click();
    EXPECT_FALSE(w->doc.Modified);
    w->mnuClose_Click();
    QApplication::processEvents();
    w = Open(path);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->doc.InfoText, std::string(kMaxTextBytes, 'i'));
    EXPECT_EQ(user.asked.size(), 1u);

    // a DAT header line far above the line bound, handed over by a second start
    VectorDocument dat = Sample();
    DescribeDatGrid(dat);
    dat.Header.Recording1 = "kurz";
    std::string bytes = *DatBytes(dat);
    bytes.replace(bytes.find("kurz\r\n"), 4, std::string(3 * kMaxDatLineBytes, 'r'));
    const QString datPath = TempPath("lang.dat");
    ASSERT_EQ(WriteFileAtomically(datPath.toStdString(), bytes), SaveResult::Ok);
    user.Answer(MsgAnswer::Ok);
    frame->TryToOpen(datPath);
    ASSERT_EQ(user.asked.size(), 2u);
    EXPECT_EQ(user.asked[1].message.text, notice("lang.dat"));
    frmVectorTable *v = frame->ActiveDocument();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->doc.FileName, "lang.dat");
    EXPECT_EQ(v->doc.Header.Recording1, std::string(kMaxTextBytes, 'r'));
    EXPECT_TRUE(SameField(v->doc, dat));
}
