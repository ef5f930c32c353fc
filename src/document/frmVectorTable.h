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

#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "Message.h"
#include "VectorDocument.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;

namespace sx {

class FlexGrid;
class PictureBox;
class DocumentFrame;

class frmVectorTable : public QWidget {
    Q_OBJECT
public:
    explicit frmVectorTable(DocumentFrame *frame, QWidget *parent = nullptr);
    ~frmVectorTable() override;

    VectorDocument doc;
    DocumentFrame *Frame() const { return frame_; }
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
    void SetCaption();    // FileName, marked " (verändert)" while Modified
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
    // Geometry of a control from a rectangle in twips.
    static void PlaceTwips(QWidget *w, double left, double top, double width, double height);

    // ---- table (document/VectorTable.cpp)
    void FillGrid();
    void grdTable_KeyPress(const QString &key);
    // The vector editor on node (i, j); on "&Ok" the undo snapshot is taken
    // and the vector changed, and the caller refreshes what it shows.
    bool EditVectorAt(int i, int j);
    bool TableHasFocus() const;
    void mnuCopy_Click();
    void mnuCopyAll_Click();
    void mnuPaste_Click();
    // The decimal separator of the user's locale, for the table texts.
    static char LocaleDecimalSeparator();

    // ---- undo and info text (document/UndoCommands.cpp)
    void SaveUndo(const std::string &caption);
    void mnuUndo_Click();
    void mnuEdit_Click();
    void mnuInfoText_Click();

    // ---- plot (plot/*.cpp)
    // plot/PlotRenderer.cpp
    void DrawVectorfield();
    void DrawVector(int32_t FromX, int32_t FromY, int32_t StepX, int32_t StepY, int32_t DrawColor);
    void mnuAutoDrawVectorfield_Click();
    void mnuAspectRatioCorrection_Click();
    void mnuVectorScale_Click();
    void BuildPlotViewItems();  // appends the plot's items to mnuView
    // plot/Background.cpp
    void RecalcBackground();
    void mnuNoVecBackground_Click();
    void mnuVecBackgroundSwirlSquare_Click();
    void mnuVecBackgroundVorticity_Click();
    void mnuVecBackgroundFromBuffer_Click();
    void mnuView_Click();  // runs whenever the view menu opens
    // plot/AxesDrawing.cpp
    void DrawCoordSystem();
    // plot/Streamlines.cpp
    void DrawTrajectory(double x0, double y0, double step);
    void AddTrajectory(double x0, double y0, double step);
    void ClearTrajectories();
    void mnuClearTrajectories_Click();
    void mnuAutoClearTrajectories_Click();
    void mnuTestParticle_Click();
    // plot/EditColors.cpp
    void mnuEditColors_Click();
    // plot/PointerModes.cpp (coordinates in twips; Button 1 left, 2 right)
    void imgVectorfield_MouseDown(int Button, int Shift, double X, double Y);
    void imgVectorfield_MouseMove(int Button, int Shift, double X, double Y);
    void imgVectorfield_MouseUp(int Button, int Shift, double X, double Y);
    void mnuEditClickedVec_Click();
    void mnuGalileiTrafo_Click();
    void mnuTheorGalileiTrafo_Click();
    void mnuCalcDistance_Click();
    void mnuShowCritPointData_Click();
    // the pointer's previous move: node under it and position in twips
    int32_t LastI = 0, LastJ = 0;
    float LastX = 0, LastY = 0;

    // ---- field operations (operations/*.cpp); each adds its own menu items
    void BuildFaultSearchItems();  // Calculations menu
    // operations/FaultSearch.cpp
    void mnuSearchInvalidVectors_Click();
    void BuildFilterItems();         // Calculations menu
    void BuildInterpolationItems();  // Calculations menu (interpolation, mean velocity)
    // operations/Filters.cpp
    void mnuSmoothSquare3x3_Click();
    void mnuSmoothSquare5x5_Click();
    void mnuSmoothGauss3x3_Click();
    void mnuSmoothGauss5x5_Click();
    void mnuFilterVelProfile_Click();
    void ApplyFilterMatrix(const struct FilterKernel &kernel);
    // operations/Interpolation.cpp
    void mnuInterpolation_Click();
    void mnuMiddleVelocityAllValid_Click();
    void mnuMiddleVelocitySelected_Click();
    void BuildConstVectorItems();  // Calculations menu (constant vectors, velocity profile)
    // operations/ConstVector.cpp
    void mnuAddConstVector_Click();
    void mnuSubConstVector_Click();
    void mnuSubtractVelocityProfile_Click();
    void BuildTransformItems();   // Calculations menu (transformation, mirror)
    void BuildBufferCalcItems();  // Calculations menu (buffer submenu)
    void BuildStatusItems();      // Edit menu (status submenus)
    // operations/StatusCommands.cpp
    void mnuChangeVecStatusInvalidToValid_Click();
    void mnuChangeVecStatusAllToValid_Click();
    void mnuChangeVecStatusAllToInvalid_Click();
    void mnuDeleteEveryVector_Click();
    void mnuFaultVectorsToInvalid_Click();
    void mnuFaultVectorsToValid_Click();
    void BuildBufferEditItems();   // Edit menu (copy into the buffer)
    void mnuCalculations_Click();  // runs whenever the Calculations menu opens
    // operations/Transformation.cpp, operations/BufferCommands.cpp
    void mnuCoordTrafo_Click();
    void mnuMirror_Click();
    void mnuVectorfieldToBuffer_Click();
    void mnuAddVectorfield_Click();
    void mnuSubVectorfield_Click();
    void mnuUseBufferAsMask_Click();

    // ---- output (output/*.cpp); each adds its own menu items
    void BuildBitmapExportItems();              // Export submenu of the File menu
    void mnuExportVectorfieldAsBitmap_Click();  // output/BitmapExport.cpp
    void BuildTextExportItems();                // Export submenu of the File menu
    // output/TextExports.cpp
    void mnuExportTrajectory_Click();
    void mnuExportVectorfieldForStanford_Click();
    void mnuExportVelProfileForStanford_Click();
    void mnuExportSwirlSquareForStanford_Click();
    void mnuExportVorticityForStanford_Click();
    void mnuExportTestFunctionForStanford_Click();
    void mnuExportSwirlForTecPlot_Click();
    void mnuExportVorticityForTecPlot_Click();
    void mnuExportVectorfieldForMatlab_Click();
    void mnuExportSwirlSquareForMatlab_Click();
    void BuildPrintItems();  // File menu
    // printing (output/Printing.cpp)
    void mnuPrint_Click();
    // Draws the plot on the printer's page; starts and ends no document.
    void PrintVectorfield(class PrinterSurface &printer, int16_t SizePercent);

signals:
    // SaveUndo has just taken the undo snapshot.
    void UndoSaved();

public:
    // controls
    QGroupBox *frmHeader = nullptr;
    QLabel *lblHeader1 = nullptr, *lblHeader2 = nullptr, *lblHeader3 = nullptr;
    FlexGrid *grdTable = nullptr;
    PictureBox *imgVectorfield = nullptr;
    PictureBox *imgXAxis = nullptr, *imgYAxis = nullptr, *imgXYCorner = nullptr;

    // menus
    QMenu *mnuExport = nullptr;
    QMenu *mnuFile = nullptr, *mnuEdit = nullptr, *mnuView = nullptr, *mnuCalculations = nullptr,
          *mnuLeftMouseButtonFunction = nullptr, *mnuWindows = nullptr, *mnuHelpMenu = nullptr;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    // Menu building, one function per owner; called in menu-bar order.
    void BuildFileMenu();          // document/frmVectorTable.cpp
    void BuildEditMenu();          // document/VectorTable.cpp (+ UndoCommands.cpp items)
    void BuildViewMenu();          // document/WindowLayout.cpp (+ plot items)
    void BuildCalculationsMenu();  // operations/CalculationsMenu.cpp
    void BuildLeftMouseMenu();     // plot/pointer modes
    void BuildWindowMenu();        // document/frmVectorTable.cpp
    void BuildHelpMenu();          // document/frmVectorTable.cpp
    void CreateControls();         // document/WindowLayout.cpp
    QAction *AddItem(QMenu *menu, const char *name, const QString &caption, void (frmVectorTable::*handler)(),
                     const QKeySequence &shortcut = QKeySequence());
    QAction *AddCheckItem(QMenu *menu, const char *name, const QString &caption, bool checked,
                          void (frmVectorTable::*handler)(), const QKeySequence &shortcut = QKeySequence());

    // Dispatch to the readers; false on failure. `textsCut`: a text was cut to the bound.
    bool ReadFile(bool &textsCut);
    // Save and Save As: a save with a `refusal` (SaveRefusal) shows it;
    // otherwise `mayReplace` (when given) asks about the file it would replace.
    void Save(const std::optional<UserMessage> &refusal, const std::function<bool()> &mayReplace);
    void ConnectTable();  // document/VectorTable.cpp: grid callbacks and keys

    // layout: a resize that arrives while the size message is open runs afterwards
    bool resizeBusy_ = false, resizeAgain_ = false;
    char tableSeparator_ = '.';  // of the texts FillGrid shows

    DocumentFrame *frame_;
    QMenuBar *menuBar_ = nullptr;
    bool closingChecked_ = false;
};

}  // namespace sx
