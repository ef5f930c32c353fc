#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QShortcut>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>

#include "Paths.h"
#include "VectorFieldBuffer.h"
#include "app/SplashPicture.h"
#include "app/frmFileTypes.h"
#include "app/frmMsgReceiver.h"
#include "app/frmStartUpInfo.h"
#include "document/frmVectorTable.h"
#include "platform/HelpViewer.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"

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
    resize(1100, 800);
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

    // F1 anywhere in the program opens the help
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, &frmMain::mnuHelp_Click);

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
    file->addAction(QStringLiteral("&Beenden"), this, &frmMain::mnuExit_Click)->setObjectName(QStringLiteral("mnuExit"));
    QMenu *help = ownMenu_->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    help->addAction(QStringLiteral("&Inhalt..."), this, &frmMain::mnuHelp_Click)->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("Inde&x..."), this, &frmMain::mnuHelpIndex_Click)
        ->setObjectName(QStringLiteral("mnuHelpIndex"));
    help->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
    QAction *assoc = help->addAction(QStringLiteral("Dateitypen &verknüpfen"), this, &frmMain::mnuAssociateFileType_Click);
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
    if (GetSetting(QStringLiteral("StartUp"), QStringLiteral("ShowInfo"), QStringLiteral("Yes")) == QLatin1String("Yes"))
        ShowStartUpInfo = true;

    const QString trimmed = QString::fromStdString(Trim(commandLine.toStdString()));
    if (!trimmed.isEmpty() && commandLine != QLatin1String("::IDESTART")) {
        QString path = trimmed;
        if (path.startsWith(QLatin1Char('"'))) path.remove(0, 1);
        if (!path.isEmpty() && path.endsWith(QLatin1Char('"'))) path.chop(1);
        if (FileExists(path.toStdString())) {
            commonDialog.FileName = path;
            OpenDocumentWindow();
        } else {
            MessageBox("Datei '" + path.toStdString() + "' wurde nicht gefunden!", MsgIcon::Exclamation, MsgButtons::Ok,
                       "Strudelax - Datei nicht gefunden");
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
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && ShowStartUpInfo)
        QMetaObject::invokeMethod(this, [this] { MDIForm_Activate(); }, Qt::QueuedConnection);
}

void frmMain::resizeEvent(QResizeEvent *e) { QMainWindow::resizeEvent(e); }

void frmMain::mnuOpen_Click() {
    CommonDialog &cd = commonDialog;
    cd.FileName.clear();
    cd.Filter = kOpenFilter;
    cd.InitDir = GetSetting(QStringLiteral("Files"), QStringLiteral("LastDirectory"), QString());
    const QString last = GetSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"), QStringLiteral("SDX"));
    cd.FilterIndex = last == QLatin1String("SDX") ? 3 : last == QLatin1String("DAT") ? 4 : last == QLatin1String("VEC") ? 2 : 1;
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
    SaveSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"), QString::fromStdString(UpperTail(name, 3)));
    SaveSetting(QStringLiteral("Files"), QStringLiteral("LastDirectory"), QString::fromStdString(FolderOf(name)));
    OpenDocumentWindow();
}

void frmMain::TryToOpen(const QString &fullFileName) {
    BringAppToFront(this);
    if (FileExists(fullFileName.toStdString())) {
        commonDialog.FileName = fullFileName;
        OpenDocumentWindow();
    } else {
        MessageBox("Datei '" + fullFileName.toStdString() + "' wurde nicht gefunden!", MsgIcon::Exclamation,
                   MsgButtons::Ok, "Strudelax - Datei nicht gefunden");
    }
}

frmVectorTable *frmMain::OpenDocumentWindow() {
    auto *doc = new frmVectorTable(this);
    if (!doc->Form_Load()) {
        doc->Form_Unload();
        delete doc;
        return nullptr;
    }
    QMdiSubWindow *sub = mdi_->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    // before the frame is shown the area has no size yet: go by the frame's
    const QSize area = mdi_->isVisible() ? mdi_->size() : size() - QSize(0, 60);
    sub->resize(std::min(900, std::max(400, area.width() - 40)), std::min(650, std::max(300, area.height() - 40)));
    doc->show();
    sub->show();
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
    MessageBox("Strudelax Version 1.0", MsgIcon::Information, MsgButtons::Ok, "Über Strudelax");
}

void frmMain::mnuAssociateFileType_Click() { AssociateFileTypes(this, QCoreApplication::applicationFilePath()); }

}  // namespace sx
