#pragma once
// The text tables written for outside tools (Stanford, TecPlot, Matlab) and
// the name rules of their save dialog. Lines end with CR LF; every
// character is ASCII. `decimalSeparator` is the user's locale separator,
// used only where a number is written in the print form.

#include <string>

#include "AtomicFile.h"
#include "Message.h"
#include "VectorDocument.h"

namespace sx {

class ByteSink;

enum class ExportFormat {
    // Valid nodes, first row first: x, y, U, V, |V|. The header carries the
    // Galilei velocity and, while a critical point is marked, its position.
    StanfordVector,
    // One line per row with a valid node: y and the mean vector of the row.
    StanfordProfile,
    // BackValues as a matrix: one line per column, rows from the last to the first.
    StanfordScalar,
    // x, y, value per node, columns outer, rows from the last.
    TecPlotScalar,
    // The same with the root of BackValues (a negative stored value keeps
    // its sign: -sqrt(-v)).
    TecPlotRoot,
    // Every node, first row first; an invalid node is written as 0;0.
    MatlabVector,
    // BackValues as a matrix under a header row of y positions.
    MatlabScalar
};
enum class ExportField { None, SwirlSquare, Vorticity };

struct TextExportKind {
    const char *prefix;     // in front of the document's name in the dialog
    const char *filter;     // the dialog's Filter
    bool txtOrDat;          // two-entry filter: ".dat" for the second entry, else ".txt"
    const char *extension;  // the one extension otherwise
    ExportField field;      // computed into BackValues before writing
    bool scalar;            // uses BackValues (the displayed background is put back afterwards)
    ExportFormat format;
};

extern const TextExportKind kExportStanfordVectorfield;
extern const TextExportKind kExportStanfordVelProfile;
extern const TextExportKind kExportStanfordSwirlSquare;
extern const TextExportKind kExportStanfordVorticity;
extern const TextExportKind kExportStanfordTestFunction;
extern const TextExportKind kExportTecPlotSwirl;
extern const TextExportKind kExportTecPlotVorticity;
extern const TextExportKind kExportMatlabVectorfield;
extern const TextExportKind kExportMatlabSwirlSquare;

// The file text of an export from the document as it stands, streamed into
// `sink` in pieces; false when the sink refused one.
bool WriteExportText(const TextExportKind &kind, const VectorDocument &doc, char decimalSeparator, ByteSink &sink);
// Writes the export file through a temporary file, the old file whole on any failure.
SaveResult SaveExportFile(const TextExportKind &kind, const VectorDocument &doc, char decimalSeparator,
                          const std::string &path);
// Name proposed in the dialog: prefix and the document's file name without its extension.
std::string ExportProposedName(const TextExportKind &kind, const std::string &filePath);
// The chosen path with the extension of its file name replaced by the export's.
std::string ExportTargetPath(const TextExportKind &kind, const std::string &chosenPath, int filterIndex);
// Shown whatever kept the file from being written.
UserMessage ExportSaveErrorMessage();

}  // namespace sx
