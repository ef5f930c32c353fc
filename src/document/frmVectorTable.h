#pragma once
// The document window: one opened vector field with its header labels,
// table and plot. The window is one class; its handlers are defined in the
// .cpp file of the part of the program that owns them, so that no file
// grows into a monolith:
//   document/frmVectorTable.cpp  life cycle, files, frame commands
//   document/WindowLayout.cpp    layout and view toggles
//   document/VectorTable.cpp     table, cell editing, clipboard
//   document/UndoCommands.cpp    undo and info text
//   plot/*.cpp                   plot, background, axes, streamlines

#include <QString>
#include <QKeySequence>
#include <QWidget>
#include <string>

#include "VectorDocument.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;

namespace sx {

class FlexGrid;
class PictureBox;
class frmMain;

class frmVectorTable : public QWidget {
    Q_OBJECT
public:
    explicit frmVectorTable(frmMain *frame, QWidget *parent = nullptr);
    ~frmVectorTable() override;

    VectorDocument doc;
    frmMain *Frame() const { return frame_; }
    QMenuBar *MenuBar() const { return menuBar_; }
    // A menu item by its name (mnuSave, mnuShowTable, ...).
    QAction *Action(const char *name) const;

    // ---- life cycle and files (document/frmVectorTable.cpp)
    bool Form_Load();         // false: the load failed and the window must go
    bool Form_QueryUnload();  // false: the close is cancelled
    void Form_Unload();
    void CloseWithoutAsking();
    void mnuClose_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuOpen_Click();
    void mnuExit_Click();
    void SetCaption();  // FileName, marked " (verändert)" while Modified
    void MarkModified();  // Modified := true and the caption follows

    // ---- layout and view toggles (document/WindowLayout.cpp)
    void Form_Resize();
    void ShowHeaderInfo();
    void mnuShowHeader_Click();
    void mnuShowTable_Click();
    void mnuShowVectorfield_Click();
    void mnuShowCoordSystem_Click();
    // Menu checks follow doc.View (after load and undo; no new layout).
    void SyncViewMenus();

    // ---- table (document/VectorTable.cpp)
    void FillGrid();
    void grdTable_KeyPress(const QString &key);
    bool TableHasFocus() const;

    // ---- undo and info text (document/UndoCommands.cpp)
    void SaveUndo(const std::string &caption);
    void mnuUndo_Click();
    void mnuEdit_Click();
    void mnuInfoText_Click();

    // ---- plot (plot/*.cpp)
    void RecalcBackground();
    void DrawVectorfield();
    void ClearTrajectories();

    // controls
    QLabel *lblHeader1 = nullptr, *lblHeader2 = nullptr, *lblHeader3 = nullptr;
    FlexGrid *grdTable = nullptr;
    PictureBox *imgVectorfield = nullptr;
    PictureBox *picXAxis = nullptr, *picYAxis = nullptr, *picCorner = nullptr;

    // menus
    QMenu *mnuFile = nullptr, *mnuEdit = nullptr, *mnuView = nullptr, *mnuCalculations = nullptr,
          *mnuLeftMouseButtonFunction = nullptr, *mnuWindows = nullptr, *mnuHelpMenu = nullptr;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    // Menu building, one function per owner; called in menu-bar order.
    void BuildFileMenu();        // document/frmVectorTable.cpp
    void BuildEditMenu();        // document/VectorTable.cpp (+ UndoCommands.cpp items)
    void BuildViewMenu();        // document/WindowLayout.cpp (+ plot items)
    void BuildCalculationsMenu();  // operations
    void BuildLeftMouseMenu();   // plot/pointer modes
    void BuildWindowMenu();      // document/frmVectorTable.cpp
    void BuildHelpMenu();        // document/frmVectorTable.cpp
    void CreateControls();       // document/WindowLayout.cpp
    QAction *AddItem(QMenu *menu, const char *name, const QString &caption, void (frmVectorTable::*handler)(),
                     const QKeySequence &shortcut = QKeySequence());
    QAction *AddCheckItem(QMenu *menu, const char *name, const QString &caption, bool checked,
                          void (frmVectorTable::*handler)(), const QKeySequence &shortcut = QKeySequence());

    bool ReadFile();  // dispatch to the readers; false on failure

    frmMain *frame_;
    QMenuBar *menuBar_ = nullptr;
    bool closingChecked_ = false;
};

}  // namespace sx
