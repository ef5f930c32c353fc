#pragma once
// What a document window and its features need of the frame that holds it.
// The frame implements this; documents never know the concrete main window.

class QMdiArea;
class QMenuBar;
class QString;
class QWidget;

namespace sx {

class CommonDialog;

// The frame's own menu commands that a document's menus repeat.
enum class FrameCommand { Open, Exit, HelpContents, HelpIndex, AssociateFileTypes, About };

class DocumentFrame {
public:
    // The one file and colour dialog of the program; its FileName carries the
    // path of a document that is being opened.
    virtual CommonDialog &CommonDlg() = 0;
    virtual void SetStatusText(const QString &text) = 0;
    // The area holding every document window (window list, cascade, tiling).
    virtual QMdiArea *DocumentArea() const = 0;
    // Owner of the dialogs that outlive one command.
    virtual QWidget *FrameWindow() = 0;
    // A document brings its own menu bar; the frame shows the active one.
    virtual void RegisterMenuBar(QMenuBar *bar) = 0;
    virtual void UpdateMenuBar() = 0;
    virtual void RunFrameCommand(FrameCommand command) = 0;

protected:
    ~DocumentFrame() = default;
};

}  // namespace sx
