#pragma once
// Whole files as strings, for comparing what the writers lay out.

#include <optional>
#include <string>

#include "ByteSink.h"
#include "DatFile.h"
#include "Sampling.h"
#include "SdxFile.h"
#include "TextExports.h"

namespace sx {

// The bytes a save as SDX writes.
inline std::string SdxBytes(const VectorDocument &doc) {
    std::string out;
    StringSink sink(out);
    WriteSdx(doc, sink);
    return out;
}

// The bytes a save as DAT writes; nothing when the save would refuse the document.
inline std::optional<std::string> DatBytes(const VectorDocument &doc) {
    if (DatRefusal(doc)) return std::nullopt;
    std::string out;
    StringSink sink(out);
    if (!WriteDat(doc, sink)) return std::nullopt;
    return out;
}

// The text of an export as the program writes it into its file.
inline std::string ExportFileText(const TextExportKind &kind, const VectorDocument &doc, char decimalSeparator) {
    std::string out;
    StringSink sink(out);
    WriteExportText(kind, doc, decimalSeparator, sink);
    return out;
}
inline std::string StanfordVectorFile(const VectorDocument &doc, char sep) {
    return ExportFileText(kExportStanfordVectorfield, doc, sep);
}
inline std::string StanfordProfileFile(const VectorDocument &doc, char sep) {
    return ExportFileText(kExportStanfordVelProfile, doc, sep);
}
inline std::string StanfordScalarFile(const VectorDocument &doc, char sep) {
    return ExportFileText(kExportStanfordVorticity, doc, sep);
}
inline std::string TecPlotScalarFile(const VectorDocument &doc, char sep, bool squareRoot) {
    return ExportFileText(squareRoot ? kExportTecPlotSwirl : kExportTecPlotVorticity, doc, sep);
}
inline std::string MatlabVectorFile(const VectorDocument &doc) {
    return ExportFileText(kExportMatlabVectorfield, doc, '.');
}
inline std::string MatlabScalarFile(const VectorDocument &doc) {
    return ExportFileText(kExportMatlabSwirlSquare, doc, '.');
}

// The streamline file as the program writes it.
inline std::string TrajectoryFileText(const Streamline &line, double exportDistance, char decimalSeparator) {
    std::string out;
    StringSink sink(out);
    WriteTrajectoryText(line, exportDistance, decimalSeparator, sink);
    return out;
}

}  // namespace sx
