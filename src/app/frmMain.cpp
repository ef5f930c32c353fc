#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

#include "Paths.h"
#include "VectorFieldBuffer.h"
#include "app/SplashPicture.h"
#include "app/WindowShowing.h"
#include "app/frmFileTypes.h"
#include "app/frmMsgReceiver.h"
#include "app/frmStartUpInfo.h"
#include "document/frmVectorTable.h"
#include "platform/FileNames.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"
#include "platform/WindowPlacement.h"

namespace sx {

namespace {
frmMain *g_frame = nullptr;
}

const QString frmMain::kOpenFilter = QStringLiteral(
    "Alle Dateien (*.*)|*.*|DaVis-Dateien (*.vec)|*.vec|Strudelax-Dateien (*.sdx)|*.sdx|DAT-Dateien (*.dat)|*.dat");

QString &HelpFilePath() {
    static QString path;
    return path;
}

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

frmMain *frmMain::Instance() { return g_frame; }

frmMain::frmMain(QWidget *parent) : QMainWindow(parent) {
    g_frame = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Strudelax"));
    // the whole frame on the screen, also on a small one
    QSize want(1100, 800);
    if (const QScreen *scr = QGuiApplication::primaryScreen())
        want = want.boundedTo(scr->availableGeometry().size() * 9 / 10);
    resize(want);
    setWindowIcon(QIcon(QPixmap::fromImage(MakeSplashPicture().copy(120, 40, 320, 240))));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *s) {
        UpdateMenuBar();
        // the document's shortcuts work while the focus is inside it
        if (s && s->widget()) {
            QWidget *f = QApplication::focusWidget();
            if (!f || !s->widget()->isAncestorOf(f)) s->widget()->setFocus();
        }
    });

    StatusText = new QLabel(
        QStringLiteral("Statuszeile. Hier stehen aktuelle Informationen, sobald welche verfügbar sind."), this);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    txtTemp = new QLineEdit(QStringLiteral("*"), this);
    txtTemp->setObjectName(QStringLiteral("txtTemp"));
    txtTemp->setFixedWidth(12);
    connect(txtTemp, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (t != QLatin1String("*")) txtTemp->setText(QStringLiteral("*"));
    });
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("Statusbar"));
    bar->addWidget(StatusText, 1);
    bar->addPermanentWidget(txtTemp);

    // F1 anywhere in the program, modal dialogs and open menus included,
    // opens the help page of what the user is looking at
    InstallHelpKey();

    // the keyboard stays with the active document: after a box, after its
    // focused control was hidden, after the frame was brought to the front
    connect(qApp, &QApplication::focusChanged, this,
            [this] { QTimer::singleShot(0, this, &frmMain::KeepFocusInDocument); });

    menus_ = new QStackedWidget(this);
    setMenuWidget(menus_);
    BuildMenu();
}

frmMain::~frmMain() {
    // the document windows go first, while the frame is still whole
    for (QMdiSubWindow *s : mdi_->subWindowList()) delete s;
    if (g_frame == this) g_frame = nullptr;
}

void frmMain::BuildMenu() {
    ownMenu_ = new QMenuBar(menus_);
    ownMenu_->setObjectName(QStringLiteral("frmMainMenu"));
    QMenu *file = ownMenu_->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *open = file->addAction(QStringLiteral("Ö&ffnen"), this, &frmMain::mnuOpen_Click);
    open->setObjectName(QStringLiteral("mnuOpen"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    file->addAction(QStringLiteral("&Beenden"), this, &frmMain::mnuExit_Click)
        ->setObjectName(QStringLiteral("mnuExit"));
    QMenu *help = ownMenu_->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    help->addAction(QStringLiteral("&Inhalt..."), this, &frmMain::mnuHelp_Click)
        ->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("Inde&x..."), this, &frmMain::mnuHelpIndex_Click)
        ->setObjectName(QStringLiteral("mnuHelpIndex"));
    help->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
    QAction *assoc =
        help->addAction(QStringLiteral("Dateitypen &verknüpfen"), this, &frmMain::mnuAssociateFileType_Click);
    assoc->setObjectName(QStringLiteral("mnuAssociateFileType"));
    help->addAction(QStringLiteral("Über das &Programm..."), this, &frmMain::mnuAbout_Click)
        ->setObjectName(QStringLiteral("mnuAbout"));
    RegisterMenuBar(ownMenu_);
}

void frmMain::RegisterMenuBar(QMenuBar *bar) {
    menus_->addWidget(bar);
    UpdateMenuBar();
}

void frmMain::ShowMenuBarOf(frmVectorTable *doc) {
    QMenuBar *bar = doc ? doc->MenuBar() : ownMenu_;
    if (bar && menus_->indexOf(bar) >= 0) menus_->setCurrentWidget(bar);
    menus_->setFixedHeight(menus_->currentWidget()->sizeHint().height());
}

void frmMain::UpdateMenuBar() { ShowMenuBarOf(ActiveDocument()); }

void frmMain::RunFrameCommand(FrameCommand command) {
    switch (command) {
        case FrameCommand::Open: mnuOpen_Click(); break;
        case FrameCommand::Exit: close(); break;
        case FrameCommand::HelpContents: mnuHelp_Click(); break;
        case FrameCommand::HelpIndex: mnuHelpIndex_Click(); break;
        case FrameCommand::AssociateFileTypes: mnuAssociateFileType_Click(); break;
        case FrameCommand::About: mnuAbout_Click(); break;
    }
}

void frmMain::SetStatusText(const QString &text) { StatusText->setText(text); }
QString frmMain::StatusTextCaption() const { return StatusText->text(); }

void frmMain::MDIForm_Load(const QString &commandLine) {
    InitBuffer();
    ShowStartUpInfo = false;
    if (GetSetting(QStringLiteral("StartUp"), QStringLiteral("ShowInfo"), QString()).isEmpty()) {
        SaveSetting(QStringLiteral("StartUp"), QStringLiteral("ShowInfo"), QStringLiteral("Yes"));
        SaveSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"), QStringLiteral("SDX"));
        SaveSetting(QStringLiteral("Files"), QStringLiteral("LastDirectory"),
                    QDir::toNativeSeparators(ProgramFolder()) + QStringLiteral("/Beispiele"));
        ShowStartUpInfo = true;
    }
    if (GetSetting(QStringLiteral("StartUp"), QStringLiteral("ShowInfo"), QStringLiteral("Yes")) ==
        QLatin1String("Yes"))
        ShowStartUpInfo = true;

    const QString trimmed = TrimBlanks(commandLine);
    if (!trimmed.isEmpty() && commandLine != QLatin1String("::IDESTART")) {
        QString path = trimmed;
        if (path.startsWith(QLatin1Char('"'))) path.remove(0, 1);
        if (!path.isEmpty() && path.endsWith(QLatin1Char('"'))) path.chop(1);
        HelpScope help(HelpPageForName(QStringLiteral("mnuOpen")));
        if (FileExists(FilePathBytes(path))) {
            // from the root: a later dialog proposes it whatever the working folder then is
            commonDialog.FileName = AbsoluteFileName(path, WorkingFolder());
            OpenDocumentWindow();
        } else {
            MessageBox("Datei '" + FilePathBytes(path) + "' wurde nicht gefunden!", MsgIcon::Exclamation,
                       MsgButtons::Ok, "Strudelax - Datei nicht gefunden");
        }
    }
}

void frmMain::MDIForm_Activate() {
    if (!ShowStartUpInfo) return;
    ShowStartUpInfo = false;
    frmStartUpInfo dlg(this);
    User().ShowModal(&dlg);
    if (!dlg.chkShowAgain->isChecked())
        SaveSetting(QStringLiteral("StartUp"), QStringLiteral("ShowInfo"), QStringLiteral("No"));
}

void frmMain::changeEvent(QEvent *e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && ShowStartUpInfo && !HoldActivation)
        QMetaObject::invokeMethod(
            this, [this] { MDIForm_Activate(); }, Qt::QueuedConnection);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &frmMain::KeepFocusInDocument);
}

void frmMain::KeepFocusInDocument() {
    frmVectorTable *d = ActiveDocument();
    if (!d || !isActiveWindow() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    QWidget *f = QApplication::focusWidget();
    const bool lost =
        !f || f == txtTemp || f == this || f == mdi_ || !f->isVisible() || qobject_cast<QMdiSubWindow *>(f) != nullptr;
    if (lost) d->setFocus(Qt::OtherFocusReason);
}

void frmMain::resizeEvent(QResizeEvent *e) { QMainWindow::resizeEvent(e); }

void frmMain::mnuOpen_Click() {
    HelpScope help(HelpPageForName(QStringLiteral("mnuOpen")));
    CommonDialog &cd = commonDialog;
    cd.FileName.clear();
    cd.Filter = kOpenFilter;
    cd.InitDir = GetSetting(QStringLiteral("Files"), QStringLiteral("LastDirectory"), QString());
    const QString last = GetSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"), QStringLiteral("SDX"));
    cd.FilterIndex = last == QLatin1String("SDX")   ? 3
                     : last == QLatin1String("DAT") ? 4
                     : last == QLatin1String("VEC") ? 2
                                                    : 1;
    cd.Flags = 0x1004;
    cd.DialogTitle = QStringLiteral("Öffnen");
    if (!cd.ShowOpen()) return;
    const std::string name = cd.FileName.toStdString();
    const std::string tail = UpperTail(name, 4);
    if (tail != ".DAT" && tail != ".SDX" && tail != ".VEC") {
        MessageBox("Dieses Dateiformat ist ungültig! Sie können nur Dateien mit Endung .dat oder .vec öffnen.",
                   MsgIcon::Exclamation, MsgButtons::Ok, "Ungültiges Dateiformat");
        return;
    }
    SaveSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"),
                QString::fromStdString(UpperTail(name, 3)));
    SaveSetting(QStringLiteral("Files"), QStringLiteral("LastDirectory"), QString::fromStdString(FolderOf(name)));
    OpenDocumentWindow();
}

void frmMain::TryToOpen(const QString &fullFileName) {
    // The hand-over arrives wherever the event loop runs: in a box of a
    // document's load, in the frame's first paint. That document owns the
    // shared dialog's FileName until it is up; this file comes after it.
    if (opening_ > 0) {
        handedOver_ << fullFileName;
        return;
    }
    BringAppToFront(this);
    HelpScope help(HelpPageForName(QStringLiteral("mnuOpen")));
    if (FileExists(FilePathBytes(fullFileName))) {
        commonDialog.FileName = fullFileName;
        OpenDocumentWindow();
    } else {
        MessageBox("Datei '" + FilePathBytes(fullFileName) + "' wurde nicht gefunden!", MsgIcon::Exclamation,
                   MsgButtons::Ok, "Strudelax - Datei nicht gefunden");
    }
}

void frmMain::OpenHandedOver() {
    while (opening_ == 0 && !handedOver_.isEmpty()) TryToOpen(handedOver_.takeFirst());
}

frmVectorTable *frmMain::OpenDocumentWindow() {
    ++opening_;
    struct Done {
        frmMain *frame;
        ~Done() {
            if (--frame->opening_ == 0 && !frame->handedOver_.isEmpty())
                QTimer::singleShot(0, frame, &frmMain::OpenHandedOver);
        }
    } done{this};
    // A document brings its frame up, as an MDI child does. Shown later, the
    // frame would lay the document out inside its own show(), and a message
    // box of that first layout ("Darstellung nicht möglich!") would run its
    // event loop while Qt walks the frame's children.
    if (!isVisible()) {
        FillBeforeFirstPaint(this);
        show();
        // the splash keeps its place in front until its time is up
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmSplash") && w->isVisible()) w->raise();
        // painted before the load holds the loop
        WaitUntilExposed(this, 1000);
    }
    auto *doc = new frmVectorTable(this);
    if (!doc->Form_Load()) {
        doc->Form_Unload();
        delete doc;
        return nullptr;
    }
    QMdiSubWindow *previous = mdi_->activeSubWindow();
    if (!previous && !mdi_->subWindowList().isEmpty()) previous = mdi_->subWindowList().last();
    QMdiSubWindow *sub = mdi_->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    PlaceNewWindow(mdi_, sub, previous);
    QPointer<frmVectorTable> alive(doc);
    sub->show();
    if (!alive) return nullptr;
    mdi_->setActiveSubWindow(sub);
    doc->setFocus();
    UpdateMenuBar();
    return doc;
}

QList<frmVectorTable *> frmMain::Documents() const {
    QList<frmVectorTable *> out;
    for (QMdiSubWindow *s : mdi_->subWindowList())
        if (auto *d = qobject_cast<frmVectorTable *>(s->widget())) out << d;
    return out;
}

frmVectorTable *frmMain::ActiveDocument() const {
    QMdiSubWindow *s = mdi_->activeSubWindow();
    if (!s) s = mdi_->currentSubWindow();
    return s ? qobject_cast<frmVectorTable *>(s->widget()) : nullptr;
}

void frmMain::mnuExit_Click() { close(); }

void frmMain::closeEvent(QCloseEvent *e) {
    // every document may refuse; one refusal stops the whole exit
    for (frmVectorTable *d : Documents()) {
        if (!d->Form_QueryUnload()) {
            e->ignore();
            return;
        }
    }
    for (frmVectorTable *d : Documents()) d->CloseWithoutAsking();
    e->accept();
    QApplication::closeAllWindows();
}

void frmMain::mnuHelp_Click() {
    commonDialog.HelpFile = HelpFilePath();
    commonDialog.HelpCommand = HelpContents;
    commonDialog.ShowHelp();
}

void frmMain::mnuHelpIndex_Click() {
    commonDialog.HelpFile = HelpFilePath();
    commonDialog.HelpCommand = HelpIndex;
    commonDialog.ShowHelp();
}

void frmMain::mnuAbout_Click() {
    HelpScope help(HelpPageForName(QStringLiteral("mnuAbout")));
    MessageBox("Strudelax Version 1.0", MsgIcon::Information, MsgButtons::Ok, "Über Strudelax");
}

void frmMain::mnuAssociateFileType_Click() {
    HelpScope help(HelpPageForName(QStringLiteral("mnuAssociateFileType")));
    AssociateFileTypes(this, QCoreApplication::applicationFilePath());
}

}  // namespace sx
