#include "frmVectorTable.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "ColorSettings.h"
#include "DocumentFiles.h"
#include "DocumentFrame.h"
#include "DocumentLimit.h"
#include "Paths.h"
#include "SdxFile.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"
#include "platform/WindowPlacement.h"

namespace sx {

namespace {

void ShowMessages(const Messages &msgs) {
    for (const UserMessage &m : msgs) MessageBox(m);
}

}  // namespace

frmVectorTable::frmVectorTable(DocumentFrame *frame, QWidget *parent) : QWidget(parent), frame_(frame) {
    setObjectName(QStringLiteral("frmVectorTable"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    menuBar_ = new QMenuBar;
    menuBar_->setObjectName(QStringLiteral("frmVectorTableMenu"));
    CreateControls();
    BuildFileMenu();
    BuildEditMenu();
    BuildViewMenu();
    BuildCalculationsMenu();
    BuildLeftMouseMenu();
    BuildWindowMenu();
    BuildHelpMenu();
    if (frame_) frame_->RegisterMenuBar(menuBar_);
}

frmVectorTable::~frmVectorTable() {
    delete menuBar_;
    // the sub-window around us is half torn down: let the frame choose its menu afterwards
    if (frame_) QTimer::singleShot(0, frame_->FrameWindow(), [f = frame_] { f->UpdateMenuBar(); });
}

QAction *frmVectorTable::Action(const char *name) const {
    return menuBar_->findChild<QAction *>(QString::fromLatin1(name));
}

QAction *frmVectorTable::AddItem(QMenu *menu, const char *name, const QString &caption,
                                 void (frmVectorTable::*handler)(), const QKeySequence &shortcut) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    // the boxes and dialogs of the command name its help page
    if (handler)
        connect(a, &QAction::triggered, this, [this, a, handler] {
            HelpScope help(a);
            (this->*handler)();
        });
    return a;
}

QAction *frmVectorTable::AddCheckItem(QMenu *menu, const char *name, const QString &caption, bool checked,
                                      void (frmVectorTable::*handler)(), const QKeySequence &shortcut) {
    QAction *a = AddItem(menu, name, caption, nullptr, shortcut);
    a->setCheckable(true);
    a->setChecked(checked);
    // Qt has already flipped the check; the handler decides the new state itself
    if (handler)
        connect(a, &QAction::triggered, this, [this, a, handler] {
            a->setChecked(!a->isChecked());
            HelpScope help(a);
            (this->*handler)();
        });
    return a;
}

void frmVectorTable::BuildFileMenu() {
    mnuFile = menuBar_->addMenu(QStringLiteral("&Datei"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    AddItem(mnuFile, "mnuOpen", QStringLiteral("Ö&ffnen"), &frmVectorTable::mnuOpen_Click);
    AddItem(mnuFile, "mnuClose", QStringLiteral("&Schließen"), &frmVectorTable::mnuClose_Click,
            QKeySequence(Qt::CTRL | Qt::Key_F4));
    mnuFile->addSeparator();
    AddItem(mnuFile, "mnuSave", QStringLiteral("&Speichern"), &frmVectorTable::mnuSave_Click, QKeySequence(Qt::Key_F3));
    AddItem(mnuFile, "mnuSaveAs", QStringLiteral("Speichern &unter..."), &frmVectorTable::mnuSaveAs_Click,
            QKeySequence(Qt::Key_F4));
    mnuFile->addSeparator();
    mnuExport = mnuFile->addMenu(QStringLiteral("&Exportieren"));
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    BuildBitmapExportItems();
    BuildTextExportItems();
    BuildPrintItems();
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSepExit"));
    AddItem(mnuFile, "mnuExit", QStringLiteral("&Beenden"), &frmVectorTable::mnuExit_Click);
}

void frmVectorTable::BuildWindowMenu() {
    mnuWindows = menuBar_->addMenu(QStringLiteral("&Fenster"));
    mnuWindows->setObjectName(QStringLiteral("mnuWindows"));
    connect(mnuWindows, &QMenu::aboutToShow, this, [this] {
        // the window list follows the fixed items
        for (QAction *a : mnuWindows->actions())
            if (a->property("windowList").toBool()) {
                mnuWindows->removeAction(a);
                a->deleteLater();
            }
        if (!frame_) return;
        QAction *sep = mnuWindows->addSeparator();
        sep->setProperty("windowList", true);
        int n = 0;
        for (QMdiSubWindow *s : frame_->DocumentArea()->subWindowList()) {
            QAction *a = mnuWindows->addAction(QStringLiteral("&%1 %2").arg(++n).arg(s->windowTitle()));
            a->setProperty("windowList", true);
            a->setCheckable(true);
            a->setChecked(s == frame_->DocumentArea()->activeSubWindow());
            connect(a, &QAction::triggered, frame_->FrameWindow(),
                    [this, s] { frame_->DocumentArea()->setActiveSubWindow(s); });
        }
    });
    auto arrange = [this](const char *name, const QString &caption, std::function<void(QMdiArea *)> f) {
        QAction *a = mnuWindows->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, f] {
            if (frame_) f(frame_->DocumentArea());
        });
    };
    arrange("mnuCascade", QStringLiteral("&Überlappend"), [](QMdiArea *m) { CascadeWindows(m); });
    auto tile = [](QMdiArea *m, bool sideBySide) {
        QList<QMdiSubWindow *> wins;
        for (QMdiSubWindow *s : m->subWindowList())
            if (!s->isMinimized()) wins << s;
        if (wins.isEmpty()) return;
        const QRect area = m->viewport()->rect();
        const int n = static_cast<int>(wins.size());
        for (int k = 0; k < n; ++k) {
            wins[k]->showNormal();
            if (sideBySide)
                wins[k]->setGeometry(area.width() * k / n, 0, area.width() / n, area.height());
            else
                wins[k]->setGeometry(0, area.height() * k / n, area.width(), area.height() / n);
        }
    };
    arrange("mnuTileVertical", QStringLiteral("&Nebeneinander"), [tile](QMdiArea *m) { tile(m, true); });
    arrange("mnuTileHorizontal", QStringLiteral("&Untereinander"), [tile](QMdiArea *m) { tile(m, false); });
    arrange("mnuArrangeIcons", QStringLiteral("&Symbole anordnen"), [](QMdiArea *m) {
        int x = 0;
        for (QMdiSubWindow *s : m->subWindowList())
            if (s->isMinimized()) {
                s->move(x, m->viewport()->height() - s->height());
                x += s->width();
            }
    });
}

void frmVectorTable::BuildHelpMenu() {
    mnuHelpMenu = menuBar_->addMenu(QStringLiteral("&?"));
    mnuHelpMenu->setObjectName(QStringLiteral("mnuHelpMenu"));
    QAction *help = mnuHelpMenu->addAction(QStringLiteral("&Inhalt..."));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(help, &QAction::triggered, this, [this] {
        if (frame_) frame_->RunFrameCommand(FrameCommand::HelpContents);
    });
    QAction *index = mnuHelpMenu->addAction(QStringLiteral("Inde&x"));
    index->setObjectName(QStringLiteral("mnuHelpIndex"));
    connect(index, &QAction::triggered, this, [this] {
        if (frame_) frame_->RunFrameCommand(FrameCommand::HelpIndex);
    });
    mnuHelpMenu->addSeparator();
    QAction *assoc = mnuHelpMenu->addAction(QStringLiteral("Dateitypen &verknüpfen"));
    assoc->setObjectName(QStringLiteral("mnuAssociateFileTypes"));
    connect(assoc, &QAction::triggered, this, [this] {
        if (frame_) frame_->RunFrameCommand(FrameCommand::AssociateFileTypes);
    });
    QAction *about = mnuHelpMenu->addAction(QStringLiteral("Über das &Programm..."));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, [this] {
        if (frame_) frame_->RunFrameCommand(FrameCommand::About);
    });
}

void frmVectorTable::SetCaption() {
    const QString caption = ShownText(doc.Caption());
    setWindowTitle(caption);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) sub->setWindowTitle(caption);
}

void frmVectorTable::MarkModified() {
    doc.Modified = true;
    SetCaption();
}

bool frmVectorTable::Form_Load() {
    SetLoadDefaults(doc);
    ClearTrajectories();
    for (const ColorSetting &c : kColorSettings) {
        const QString text =
            GetSetting(QStringLiteral("Colors"), QString::fromLatin1(c.key), QString::number(c.defaultValue));
        doc.Colors[c.index] = ColorFromSettingText(text.toStdString(), c.defaultValue);
    }
    doc.FilePath = frame_ ? FilePathBytes(frame_->CommonDlg().FileName) : std::string();
    doc.FileName = FileNameOf(doc.FilePath);
    // reading, the background and the table; questions and messages wait without it
    WaitCursor busy;
    bool textsCut = false;
    if (!ReadFile(textsCut)) return false;
    SyncViewMenus();
    SetCaption();
    doc.Modified = false;
    SetCaption();
    FillGrid();
    doc.IgnoreMouseUp = true;
    // every way of opening a file comes through here
    if (textsCut) MessageBox(TextsCutMessage(doc.FileName));
    return true;
}

bool frmVectorTable::ReadFile(bool &textsCut) {
    const std::string ext = ExtensionOf(doc.FileName);
    if (ext != "DAT" && ext != "SDX" && ext != "VEC") {
        MessageBox("Dieses Dateiformat ist ungültig! Sie können nur Dateien mit Endung .dat oder .vec öffnen.",
                   MsgIcon::Exclamation, MsgButtons::Ok, "Ungültiges Dateiformat");
        return false;
    }
    const ReadResult result = ReadDocumentFile(ext, doc, [](const UserMessage &m) { return MessageBox(m); });
    ShowMessages(result.messages);
    if (!result.ok) return false;
    textsCut = result.textsCut;
    if (ext != "DAT") RecalcBackground();
    return true;
}

bool frmVectorTable::Form_QueryUnload() {
    if (!doc.Modified) return true;
    // also when the window's close box or the frame's exit asks
    HelpScope help(HelpPageForName(QStringLiteral("mnuClose")));
    const MsgAnswer a =
        MessageBox("Die Datei '" + doc.FileName + "' wurde verändert. Wollen Sie vor dem Beenden speichern?",
                   MsgIcon::Question, MsgButtons::YesNoCancel, "Strudelax beenden");
    if (a == MsgAnswer::Cancel) return false;
    if (a == MsgAnswer::Yes) {
        mnuSave_Click();
        if (doc.Modified) {
            MessageBox("Aufgrund eines Fehlers beim Speichern wird das Fenster nicht geschlossen.",
                       MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern");
            return false;
        }
    }
    return true;
}

void frmVectorTable::Form_Unload() {
    if (frame_) frame_->SetStatusText(QStringLiteral("Datei geschlossen."));
}

void frmVectorTable::closeEvent(QCloseEvent *e) {
    if (!closingChecked_ && !Form_QueryUnload()) {
        e->ignore();
        return;
    }
    closingChecked_ = true;
    Form_Unload();
    e->accept();
}

void frmVectorTable::CloseWithoutAsking() {
    closingChecked_ = true;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void frmVectorTable::mnuClose_Click() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void frmVectorTable::mnuOpen_Click() {
    if (frame_) frame_->RunFrameCommand(FrameCommand::Open);
}

void frmVectorTable::mnuExit_Click() {
    if (frame_) frame_->RunFrameCommand(FrameCommand::Exit);
}

void frmVectorTable::mnuSave_Click() {
    std::optional<UserMessage> refusal;
    {
        WaitCursor busy;  // a large field takes a moment to check
        refusal = SaveRefusal(doc, doc.FileName);
    }
    Save(refusal, nullptr);
}

void frmVectorTable::Save(const std::optional<UserMessage> &refusal, const std::function<bool()> &mayReplace) {
    // a save that cannot happen asks nothing about the file it would replace
    if (!refusal && mayReplace && !mayReplace()) return;
    SaveSetting(QStringLiteral("Files"), QStringLiteral("LastOpenedFormat"),
                QString::fromStdString(UpperTail(doc.FileName, 3)));
    if (refusal) {
        MessageBox(*refusal);
        return;
    }
    SaveResult r;
    {
        WaitCursor busy;
        r = SaveDocumentFile(UpperTail(doc.FileName, 4), doc);
    }
    if (r != SaveResult::Ok) {
        MessageBox(
            "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende Datei "
            "schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter einem "
            "anderen Namen!",
            MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern");
        return;
    }
    doc.Modified = false;
    SetCaption();
}

void frmVectorTable::mnuSaveAs_Click() {
    if (!frame_) return;
    CommonDialog &cd = frame_->CommonDlg();
    cd.Filter = QStringLiteral("Strudelax-Dateien (*.sdx)|*.sdx|DAT-Dateien (*.dat)|*.dat");
    cd.FilterIndex = 1;
    cd.FileName = FileNameFromBytes(WithoutExtension(doc.FilePath));
    // The dialog's own question about replacing a file would come before a
    // refusal: where one format is refused, the program asks afterwards.
    std::optional<UserMessage> sdxRefusal, datRefusal;
    {
        WaitCursor busy;
        const std::string name = FileNameOf(WithoutExtension(doc.FilePath));
        sdxRefusal = SaveRefusal(doc, name + ".sdx");
        datRefusal = SaveRefusal(doc, name + ".dat");
    }
    cd.Flags = sdxRefusal || datRefusal ? 4 : 6;
    cd.DialogTitle = QStringLiteral("Speichern unter");
    if (!cd.ShowSave()) return;
    const std::string path = WithoutExtension(FilePathBytes(cd.FileName)) + (cd.FilterIndex == 2 ? ".dat" : ".sdx");
    const std::string oldPath = doc.FilePath, oldName = doc.FileName;
    doc.FilePath = path;
    doc.FileName = FileNameOf(path);
    const bool wasModified = doc.Modified;
    doc.Modified = true;
    // the refusals depend on the document and the format alone
    Save(cd.FilterIndex == 2 ? datRefusal : sdxRefusal, [&] { return MayWriteTarget(cd, path); });
    // a save that did not happen leaves the document with the file it came from
    if (doc.Modified) {
        doc.FilePath = oldPath;
        doc.FileName = oldName;
        doc.Modified = wasModified;
    }
    SetCaption();
}

void frmVectorTable::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

}  // namespace sx
