#include "TextExports.h"

#include <cmath>
#include <initializer_list>

#include "ByteSink.h"
#include "Numbers.h"
#include "Paths.h"
#include "PlotGeometry.h"

namespace sx {

namespace {

const char kEol[] = "\r\n";
const char kTextDatFilter[] = "Reine Text-Datei (*.txt)|*.txt|DAT-Datei (*.dat)|*.dat";
const char kTextFilter[] = "Reine Text-Datei (*.txt)|*.txt|";
const char kMatlabFilter[] = "Matlab-Datei (*.csv)|*.csv|";

}  // namespace

const TextExportKind kExportStanfordVectorfield{
    "VF of ", kTextDatFilter, true, ".txt", ExportField::None, false, ExportFormat::StanfordVector};
const TextExportKind kExportStanfordVelProfile{
    "VP of ", kTextFilter, false, ".txt", ExportField::None, false, ExportFormat::StanfordProfile};
const TextExportKind kExportStanfordSwirlSquare{
    "SW of ", kTextDatFilter, true, ".txt", ExportField::SwirlSquare, true, ExportFormat::StanfordScalar};
const TextExportKind kExportStanfordVorticity{
    "VOR of ", kTextDatFilter, true, ".txt", ExportField::Vorticity, true, ExportFormat::StanfordScalar};
const TextExportKind kExportStanfordTestFunction{
    "TF of ", kTextDatFilter, true, ".txt", ExportField::None, true, ExportFormat::StanfordScalar};
const TextExportKind kExportTecPlotSwirl{"SW of ", kTextDatFilter,           true, ".txt", ExportField::SwirlSquare,
                                         true,     ExportFormat::TecPlotRoot};
const TextExportKind kExportTecPlotVorticity{
    "VOR of ", kTextDatFilter, true, ".txt", ExportField::Vorticity, true, ExportFormat::TecPlotScalar};
const TextExportKind kExportMatlabVectorfield{
    "VF of ", kMatlabFilter, false, ".csv", ExportField::None, false, ExportFormat::MatlabVector};
const TextExportKind kExportMatlabSwirlSquare{
    "SW of ", kMatlabFilter, false, ".csv", ExportField::SwirlSquare, true, ExportFormat::MatlabScalar};

namespace {

// The writers stop at the end of a row once the sink has refused a piece.

// Numbers in the print form with `between` between them.
void PrintItems(TextPieces &out, char sep, char between, std::initializer_list<double> values) {
    const double *first = values.begin();
    for (const double *v = first; v != values.end(); ++v) {
        if (v != first) out.Put(between);
        out.Print(*v, sep);
    }
}

void WriteStanfordVector(TextPieces &out, const VectorDocument &doc, char sep) {
    out.Put("X[mm]\tY[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]\tGalilei-Trafo:\t");
    PrintItems(out, sep, '\t', {doc.GalileiU, doc.GalileiV});
    if (doc.View.CritPointShown) {
        out.Put("\tbei:\t");
        PrintItems(out, sep, '\t', {doc.CritPointX, doc.CritPointY});
    }
    out.Put(kEol);
    for (int j = 1; j <= doc.NY && !out.Failed(); ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            if (!doc.IsValid(i, j)) continue;
            const double u = doc.U(i, j), v = doc.V(i, j);
            PrintItems(out, sep, '\t', {doc.PosX(i), doc.PosY(j), u, v, std::sqrt(u * u + v * v)});
            out.Put(kEol);
        }
}

void WriteStanfordProfile(TextPieces &out, const VectorDocument &doc, char sep) {
    out.Put("Y[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]");
    out.Put(kEol);
    for (int j = 1; j <= doc.NY && !out.Failed(); ++j) {
        double su = 0, sv = 0;
        int n = 0;
        for (int i = 1; i <= doc.NX; ++i)
            if (doc.IsValid(i, j)) {
                su += doc.U(i, j);
                sv += doc.V(i, j);
                ++n;
            }
        if (n == 0) continue;
        const double mu = su / n, mv = sv / n;
        PrintItems(out, sep, '\t', {doc.PosY(j), mu, mv, VectorNorm(mu, mv)});
        out.Put(kEol);
    }
}

void WriteStanfordScalar(TextPieces &out, const VectorDocument &doc, char sep) {
    out.Put("X[mm]/Y[mm]");
    for (int j = doc.NY; j >= 1; --j) {
        out.Put('\t');
        out.Print(doc.PosY(j), sep);
    }
    out.Put(kEol);
    for (int i = 1; i <= doc.NX && !out.Failed(); ++i) {
        out.Print(doc.PosX(i), sep);
        for (int j = doc.NY; j >= 1; --j) {
            out.Put('\t');
            out.Print(doc.BackValue(i, j), sep);
        }
        out.Put(kEol);
    }
}

void WriteTecPlotScalar(TextPieces &out, const VectorDocument &doc, char sep, bool squareRoot) {
    for (int i = 1; i <= doc.NX && !out.Failed(); ++i)
        for (int j = doc.NY; j >= 1; --j) {
            double value = doc.BackValue(i, j);
            // the stored square carries the sense of rotation in its sign
            if (squareRoot) value = value < 0 ? -std::sqrt(-value) : std::sqrt(value);
            PrintItems(out, sep, ' ', {doc.PosX(i), doc.PosY(j), value});
            out.Put(kEol);
        }
}

void WriteMatlabVector(TextPieces &out, const VectorDocument &doc) {
    for (int j = 1; j <= doc.NY && !out.Failed(); ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            out.Str(doc.PosX(i));
            out.Put(';');
            out.Str(doc.PosY(j));
            out.Put(';');
            if (doc.IsValid(i, j)) {
                out.Str(doc.U(i, j));
                out.Put(';');
                out.Str(doc.V(i, j));
            } else {
                out.Put("0;0");
            }
            out.Put(kEol);
        }
}

void WriteMatlabScalar(TextPieces &out, const VectorDocument &doc) {
    out.Put('0');
    for (int j = doc.NY; j >= 1; --j) {
        out.Put(';');
        out.Str(doc.PosY(j));
    }
    out.Put(kEol);
    for (int i = 1; i <= doc.NX && !out.Failed(); ++i) {
        out.Str(doc.PosX(i));
        for (int j = doc.NY; j >= 1; --j) {
            out.Put(';');
            out.Str(doc.BackValue(i, j));
        }
        out.Put(kEol);
    }
}

void WriteExport(TextPieces &out, ExportFormat format, const VectorDocument &doc, char sep) {
    switch (format) {
        case ExportFormat::StanfordVector: return WriteStanfordVector(out, doc, sep);
        case ExportFormat::StanfordProfile: return WriteStanfordProfile(out, doc, sep);
        case ExportFormat::StanfordScalar: return WriteStanfordScalar(out, doc, sep);
        case ExportFormat::TecPlotScalar: return WriteTecPlotScalar(out, doc, sep, false);
        case ExportFormat::TecPlotRoot: return WriteTecPlotScalar(out, doc, sep, true);
        case ExportFormat::MatlabVector: return WriteMatlabVector(out, doc);
        case ExportFormat::MatlabScalar: return WriteMatlabScalar(out, doc);
    }
}

}  // namespace

bool WriteExportText(const TextExportKind &kind, const VectorDocument &doc, char sep, ByteSink &sink) {
    TextPieces out(sink);
    WriteExport(out, kind.format, doc, sep);
    return out.Finish();
}

SaveResult SaveExportFile(const TextExportKind &kind, const VectorDocument &doc, char sep, const std::string &path) {
    return SaveThroughSink(path, [&](ByteSink &sink) { return WriteExportText(kind, doc, sep, sink); });
}

std::string ExportProposedName(const TextExportKind &kind, const std::string &filePath) {
    return kind.prefix + BaseNameOf(filePath);
}

std::string ExportTargetPath(const TextExportKind &kind, const std::string &chosenPath, int filterIndex) {
    const std::string path = WithoutExtension(chosenPath);
    if (kind.txtOrDat) return path + (filterIndex == 2 ? ".dat" : ".txt");
    return path + kind.extension;
}

UserMessage ExportSaveErrorMessage() {
    return UserMessage{
        "Die aktuelle Datei kann nicht gespeichert werden, da die auf der Festplatte existierende "
        "Datei schreibgeschützt ist. Ändern Sie das Schreibschutz-Attribut oder speichern Sie unter "
        "einem anderen Namen!",
        MsgIcon::Exclamation, MsgButtons::Ok, "Fehler beim Speichern"};
}

}  // namespace sx
