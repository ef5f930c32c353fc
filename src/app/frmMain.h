#pragma once
// The frame window: holds the document windows, the status line, the shared
// common dialog and the frame's own small menu.

#include <QMainWindow>
#include <QStringList>

#include "document/DocumentFrame.h"
#include "platform/CommonDialog.h"

class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QStackedWidget;

namespace sx {

class frmVectorTable;

class frmMain : public QMainWindow, public DocumentFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    static frmMain *Instance();

    CommonDialog commonDialog;
    QLabel *StatusText = nullptr;
    QLineEdit *txtTemp = nullptr;
    bool ShowStartUpInfo = false;
    // While the splash is up the frame may already be shown (by a document
    // from the command line); its activation handler waits for the splash.
    bool HoldActivation = false;

    // what the documents use of the frame
    CommonDialog &CommonDlg() override { return commonDialog; }
    void SetStatusText(const QString &text) override;
    QMdiArea *DocumentArea() const override { return mdi_; }
    QWidget *FrameWindow() override { return this; }
    void RegisterMenuBar(QMenuBar *bar) override;
    void UpdateMenuBar() override;
    void RunFrameCommand(FrameCommand command) override;

    QString StatusTextCaption() const;

    // Load handler: buffer, first-run settings, the command-line file.
    void MDIForm_Load(const QString &commandLine);
    // First activation: the start-up information dialog.
    void MDIForm_Activate();

    void mnuOpen_Click();
    // Opens a handed-over file; while another document is being opened it
    // waits its turn.
    void TryToOpen(const QString &fullFileName);
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuHelpIndex_Click();
    void mnuAbout_Click();
    void mnuAssociateFileType_Click();

    // Creates a document window for CommonDialog.FileName; nullptr when its load failed.
    frmVectorTable *OpenDocumentWindow();
    QList<frmVectorTable *> Documents() const;
    frmVectorTable *ActiveDocument() const;
    QMdiArea *MdiArea() const { return mdi_; }
    // Gives the keyboard back to the active document when it went nowhere
    // useful (no widget, a hidden control, txtTemp, the frame itself).
    void KeepFocusInDocument();

    void ShowMenuBarOf(frmVectorTable *doc);

    // Both file dialogs' filter lists.
    static const QString kOpenFilter;

protected:
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void BuildMenu();
    QMdiArea *mdi_ = nullptr;
    void OpenHandedOver();
    QStackedWidget *menus_ = nullptr;
    QMenuBar *ownMenu_ = nullptr;
    int opening_ = 0;         // documents being opened now (loading, their boxes up)
    QStringList handedOver_;  // files handed over meanwhile, in order
};

// The help file path that every help command uses (set at start-up).
QString &HelpFilePath();
// The folder of the executable.
QString ProgramFolder();

}  // namespace sx
