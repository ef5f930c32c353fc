// The real boxes and dialogs of the program: German texts, the buttons that
// Return presses, and sizes that fit the screen. The boxes run their own
// event loop, so each test acts on the box from inside it.

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QTest>
#include <functional>

#include "KernelFilter.h"
#include "SampleDocument.h"
#include "UiTestSupport.h"
#include "platform/QtUser.h"
#include "platform/ScreenFit.h"
#include "platform/ScrollMessageBox.h"
#include "platform/Translations.h"

using namespace sx;

namespace {

const QString kVectorScalePrompt = QStringLiteral(
    "Die Vektoren werden automatisch so skaliert, daß sich der längste Vektor gerade nicht mit einem anderen "
    "überlappen kann. Geben Sie einen Faktor ein, womit die Länge der Vektoren ausgehend von dieser "
    "Standard-Skalierung multipliziert werden soll:");

// Acts on the modal window once it is up; closes it afterwards if the act
// left it open, so that a failing test never hangs.
void WhenModal(std::function<void(QWidget *)> act, int tries = 50) {
    QTimer::singleShot(0, [act, tries] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w && tries > 0) {
            WhenModal(act, tries - 1);
            return;
        }
        if (!w) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        act(w);
        if (QApplication::activeModalWidget() == w) {
            ADD_FAILURE() << "modal window still open: " << w->metaObject()->className();
            if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
        }
    });
}

QPushButton *ButtonWithText(QWidget *root, const QString &text) {
    for (QPushButton *b : root->findChildren<QPushButton *>())
        if (b->text() == text && b->isVisible()) return b;
    return nullptr;
}

// A control's text as the user reads it, without the "&" of its shortcut.
QString Shown(QWidget *root, const QString &name) { return ControlText(root, name).remove(QLatin1Char('&')); }
QString Shown(const QAbstractButton *b) { return b ? b->text().remove(QLatin1Char('&')) : QString(); }

bool FitsScreen(const QWidget *w) {
    const QSize largest = LargestClientSize(w);
    return w->width() <= largest.width() && w->height() <= largest.height();
}

// The real user, with Qt's German texts as the program loads them.
class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadGermanTranslations(*QCoreApplication::instance()))
            << "Qt's German translations (qt6-translations-l10n) are not installed";
    }
    QtUser real;
};

TEST_F(RealDialogs, FilterWarningAnswersNoOnReturn) {
    bool checked = false;
    WhenModal([&checked](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        ASSERT_TRUE(box->defaultButton());
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("&Nein"));
        EXPECT_TRUE(ButtonWithText(box, QStringLiteral("&Ja")));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Filter anwenden"));
        QTest::keyClick(box, Qt::Key_Return);
        checked = true;
    });
    EXPECT_EQ(real.ShowMessage(InvalidVectorsWarning()), MsgAnswer::No);
    EXPECT_TRUE(checked);
}

TEST_F(RealDialogs, OtherBoxesAnswerWithTheirFirstButtonOnReturn) {
    WhenModal([](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("&Ja"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(real.ShowMessage({"Speichern?", MsgIcon::Question, MsgButtons::YesNoCancel, "Strudelax"}),
              MsgAnswer::Yes);

    WhenModal([](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ButtonWithText(box, QStringLiteral("Abbrechen")));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(real.ShowMessage(FilterMatrixMessage(GaussKernel(1))), MsgAnswer::Cancel);
}

TEST_F(RealDialogs, MessageTextIsNeverReadAsMarkup) {
    const std::string text = "Datei <b>neu</b>.sdx nicht gefunden";
    WhenModal([&text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), QString::fromStdString(text));
        box->defaultButton()->click();
    });
    EXPECT_EQ(real.ShowMessage({text}), MsgAnswer::Ok);
}

// The row-mean filter on a field 1000 columns wide: one line of 1999 weights.
TEST_F(RealDialogs, HugeMatrixKeepsItsTextInAScrollableBoxThatFits) {
    const UserMessage m = FilterMatrixMessage(VelocityProfileKernel(1000));
    ASSERT_TRUE(MessageTooTallForScreen(QString::fromStdString(m.text), nullptr));
    QString shown;
    WhenModal([&shown](QWidget *w) {
        auto *box = qobject_cast<ScrollMessageBox *>(w);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Anzuwendende Filtermatrix"));
        EXPECT_TRUE(FitsScreen(box)) << box->width() << "x" << box->height();
        shown = ControlText(box, QStringLiteral("txtMessage"));
        QPushButton *ok = ButtonWithText(box, QStringLiteral("OK"));
        QPushButton *cancel = ButtonWithText(box, QStringLiteral("Abbrechen"));
        ASSERT_TRUE(ok && cancel);
        EXPECT_TRUE(ok->isDefault());
        for (QPushButton *b : {ok, cancel}) {
            const QRect inBox(b->mapTo(box, QPoint(0, 0)), b->size());
            EXPECT_TRUE(box->rect().contains(inBox)) << b->text().toStdString();
        }
        cancel->click();
    });
    EXPECT_EQ(real.ShowMessage(m), MsgAnswer::Cancel);
    QString expected = QString::fromStdString(m.text);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("(1 x 1999) - Matrix :=\n\n\t 1\t 1")));
}

TEST_F(RealDialogs, ScrollBoxAnswersLikeAMessageBox) {
    UserMessage m = InvalidVectorsWarning();
    m.text += std::string(3000, '\n');  // tall enough to need scrolling
    ASSERT_TRUE(MessageTooTallForScreen(QString::fromStdString(m.text), nullptr));
    WhenModal([](QWidget *w) {
        auto *box = qobject_cast<ScrollMessageBox *>(w);
        ASSERT_TRUE(box);
        EXPECT_TRUE(ButtonWithText(box, QStringLiteral("&Nein"))->isDefault());
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(real.ShowMessage(m), MsgAnswer::No);

    WhenModal([](QWidget *w) { ButtonWithText(w, QStringLiteral("&Ja"))->click(); });
    EXPECT_EQ(real.ShowMessage(m), MsgAnswer::Yes);

    m.buttons = MsgButtons::Ok;
    m.defaultButton.reset();
    WhenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(real.ShowMessage(m), MsgAnswer::Ok);
}

TEST_F(RealDialogs, LongPromptWrapsAndTheBoxSpeaksGerman) {
    WhenModal([](QWidget *w) {
        auto *dlg = qobject_cast<QInputDialog *>(w);
        ASSERT_TRUE(dlg);
        EXPECT_TRUE(FitsScreen(dlg)) << dlg->width() << "x" << dlg->height();
        EXPECT_LE(dlg->width(), 700);
        QLabel *prompt = nullptr;
        for (QLabel *l : dlg->findChildren<QLabel *>())
            if (l->text() == kVectorScalePrompt) prompt = l;
        ASSERT_TRUE(prompt);
        EXPECT_TRUE(prompt->wordWrap());
        EXPECT_TRUE(ButtonWithText(dlg, QStringLiteral("OK")));
        QPushButton *cancel = ButtonWithText(dlg, QStringLiteral("Abbrechen"));
        ASSERT_TRUE(cancel);
        auto *edit = dlg->findChild<QLineEdit *>();
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->text(), QStringLiteral("1"));
        edit->setText(QStringLiteral("2.5"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(real.AskInput(kVectorScalePrompt, QStringLiteral("Skalierung der Vektoren"), QStringLiteral("1")),
              QStringLiteral("2.5"));

    WhenModal([](QWidget *w) { ButtonWithText(w, QStringLiteral("Abbrechen"))->click(); });
    EXPECT_FALSE(real.AskInput(kVectorScalePrompt, QStringLiteral("Skalierung der Vektoren"), QStringLiteral("1")));
}

TEST_F(RealDialogs, SaveDialogIsQtsOwnAndGerman) {
    QTemporaryDir dir;
    FileDialogRequest r;
    r.save = true;  // no title: the streamline and text exports clear it
    r.fileName = dir.filePath(QStringLiteral("SW of run07"));
    r.filter = QStringLiteral("Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*");
    r.flags = 6;
    WhenModal([](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        ASSERT_TRUE(dlg);
        EXPECT_TRUE(dlg->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Speichern unter"));
        EXPECT_TRUE(FitsScreen(dlg)) << dlg->width() << "x" << dlg->height();
        // a label without a buddy shows its "&" as it is
        EXPECT_EQ(ControlText(dlg, QStringLiteral("lookInLabel")), QStringLiteral("Suchen in:"));
        EXPECT_EQ(Shown(dlg, QStringLiteral("fileNameLabel")), QStringLiteral("Dateiname:"));
        EXPECT_EQ(ControlText(dlg, QStringLiteral("fileTypeLabel")), QStringLiteral("Dateityp:"));
        EXPECT_EQ(ControlText(dlg, QStringLiteral("fileNameEdit")), QStringLiteral("SW of run07"));
        auto *buttons = dlg->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        ASSERT_TRUE(buttons);
        EXPECT_EQ(Shown(buttons->button(QDialogButtonBox::Cancel)), QStringLiteral("Abbrechen"));
        EXPECT_EQ(Shown(buttons->button(QDialogButtonBox::Save)), QStringLiteral("Speichern"));
        EXPECT_TRUE(buttons->button(QDialogButtonBox::Save)->isDefault());
        dlg->reject();
    });
    EXPECT_FALSE(real.ShowFileDialog(r));

    // a title given by the command stays
    r.title = QStringLiteral("Bitmap exportieren");
    WhenModal([](QWidget *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Bitmap exportieren"));
        qobject_cast<QDialog *>(w)->reject();
    });
    EXPECT_FALSE(real.ShowFileDialog(r));
}

TEST_F(RealDialogs, OpenDialogChoosesFileAndType) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("feld.dat")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    FileDialogRequest r;
    r.title = QStringLiteral("Öffnen");
    r.filter = QStringLiteral("Alle Dateien (*.*)|*.*|DAT-Dateien (*.dat)|*.dat");
    r.filterIndex = 2;
    r.initDir = dir.path();
    r.flags = 0x1004;
    WhenModal([](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        ASSERT_TRUE(dlg);
        EXPECT_EQ(dlg->selectedNameFilter(), QStringLiteral("DAT-Dateien (*.dat)"));
        // size, type and date show their whole texts once the folder is read
        auto *tree = dlg->findChild<QTreeView *>(QStringLiteral("treeView"));
        ASSERT_TRUE(tree);
        auto fitted = [tree] {
            if (tree->model()->rowCount(tree->rootIndex()) == 0) return false;
            for (int c = 1; c < tree->header()->count(); ++c)
                if (tree->header()->sectionSize(c) <
                    std::max(static_cast<QAbstractItemView *>(tree)->sizeHintForColumn(c),
                             tree->header()->sectionSizeHint(c)))
                    return false;
            return true;
        };
        EXPECT_TRUE(QTest::qWaitFor(fitted, 5000));
        auto *name = dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("feld.dat"));
        static_cast<QDialog *>(dlg)->accept();
    });
    ASSERT_TRUE(real.ShowFileDialog(r));
    EXPECT_EQ(QFileInfo(r.fileName).canonicalFilePath(), QFileInfo(f.fileName()).canonicalFilePath());
    EXPECT_EQ(r.filterIndex, 2);
}

TEST_F(RealDialogs, ColourDialogIsGermanAndKeepsTheColourOnCancel) {
    int32_t color = Rgb(10, 20, 30);
    WhenModal([](QWidget *w) {
        auto *dlg = qobject_cast<QColorDialog *>(w);
        ASSERT_TRUE(dlg);
        EXPECT_TRUE(dlg->testOption(QColorDialog::DontUseNativeDialog));
        EXPECT_EQ(dlg->currentColor(), QColor(10, 20, 30));
        EXPECT_TRUE(FitsScreen(dlg));
        EXPECT_TRUE(ButtonWithText(dlg, QStringLiteral("Abbrechen")));
        dlg->reject();
    });
    EXPECT_FALSE(real.ShowColorDialog(color));
    EXPECT_EQ(color, Rgb(10, 20, 30));

    WhenModal([](QWidget *w) {
        auto *dlg = qobject_cast<QColorDialog *>(w);
        ASSERT_TRUE(dlg);
        dlg->setCurrentColor(QColor(200, 100, 50));
        dlg->accept();
    });
    EXPECT_TRUE(real.ShowColorDialog(color));
    EXPECT_EQ(color, Rgb(200, 100, 50));
}

TEST(ScreenFit, OversizedDialogShrinksToTheScreenAndSmallOnesStay) {
    QDialog big;
    big.resize(5000, 4000);
    FitToScreen(&big);
    EXPECT_TRUE(FitsScreen(&big)) << big.width() << "x" << big.height();

    QDialog small;
    small.resize(300, 200);
    FitToScreen(&small);
    EXPECT_EQ(small.size(), QSize(300, 200));
}

TEST(ScreenFit, ShortTextsStayInAnOrdinaryBox) {
    EXPECT_FALSE(MessageTooTallForScreen(QString::fromStdString(InvalidVectorsWarning().text), nullptr));
    EXPECT_FALSE(MessageTooTallForScreen(QString::fromStdString(FilterMatrixText(GaussKernel(2))), nullptr));
    EXPECT_FALSE(MessageTooTallForScreen(kVectorScalePrompt, nullptr));
}

// The scripted user: what Return would answer, and every dialog's default.
class DefaultButtons : public UiTest {
protected:
    frmVectorTable *OpenField(bool withInvalid) {
        SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), 4, 3, [withInvalid](VectorDocument &d) {
            if (withInvalid) d.Status(3, 1) = StatusInvalid;
        }));
        frmVectorTable *w = Open(path);
        if (w) w->resize(600, 400);
        return w;
    }
};

TEST_F(DefaultButtons, ReturnAtTheFilterWarningAppliesNothing) {
    frmVectorTable *w = OpenField(true);
    ASSERT_TRUE(w);
    const VectorDocument before = w->doc;
    for (const char *item : {"mnuSmoothSquare3x3", "mnuSmoothSquare5x5", "mnuSmoothGauss3x3", "mnuSmoothGauss5x5",
                             "mnuFilterVelProfile"}) {
        user.PressReturn();
        w->Action(item)->trigger();
        ASSERT_FALSE(user.asked.empty());
        const UserMessage &m = user.asked.back().message;
        EXPECT_EQ(m.title, "Filter anwenden") << item;
        EXPECT_EQ(DefaultAnswer(m), MsgAnswer::No) << item;
    }
    EXPECT_EQ(user.asked.size(), 5u);  // never reached the matrix confirmation
    ExpectSameField(w->doc, before);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(DefaultButtons, ReturnAtTheMatrixConfirmationFilters) {
    frmVectorTable *w = OpenField(false);
    ASSERT_TRUE(w);
    user.PressReturn();
    w->Action("mnuSmoothGauss3x3")->trigger();
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].message.title, "Anzuwendende Filtermatrix");
    EXPECT_EQ(DefaultAnswer(user.asked[0].message), MsgAnswer::Ok);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->doc.Status(2, 2), StatusChanged);
}

TEST_F(DefaultButtons, EveryDialogWindowHasOkAsItsDefault) {
    frmVectorTable *w = OpenField(false);
    ASSERT_TRUE(w);
    const auto cancel = [](QDialog *d) { ClickControl(d, QStringLiteral("cmdCancel")); };
    const std::vector<std::pair<const char *, const char *>> dialogs = {{"mnuCoordTrafo", "frmXYTrafo"},
                                                                        {"mnuMirror", "frmMirrorOptions"},
                                                                        {"mnuSearchInvalidVectors", "frmFaultVectors"},
                                                                        {"mnuInfoText", "frmInfoText"},
                                                                        {"mnuExportVectorfieldAsBitmap", "frmPicSize"},
                                                                        {"mnuEditColors", "frmEditColors"}};
    for (const auto &[item, dialog] : dialogs) {
        QAction *a = w->Action(item);
        if (!a) {
            ADD_FAILURE() << "no menu item " << item;
            continue;
        }
        user.InDialog(QString::fromLatin1(dialog), cancel);
        a->trigger();
        ASSERT_FALSE(user.asked.empty());
        EXPECT_EQ(user.asked.back().prompt, QString::fromLatin1(dialog));
        EXPECT_EQ(user.asked.back().defaultButton, QStringLiteral("cmdOk")) << dialog;
    }
}

}  // namespace
