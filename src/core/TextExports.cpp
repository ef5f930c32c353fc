#include "TextExports.h"

#include <cmath>

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

std::string StanfordVectorFile(const VectorDocument &doc, char sep) {
    auto N = [sep](double x) { return PrintNumber(x, sep); };
    std::string out =
        "X[mm]\tY[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]\tGalilei-Trafo:\t" + N(doc.GalileiU) + "\t" + N(doc.GalileiV);
    if (doc.View.CritPointShown) out += "\tbei:\t" + N(doc.CritPointX) + "\t" + N(doc.CritPointY);
    out += kEol;
    for (int j = 1; j <= doc.NY; ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            if (!doc.IsValid(i, j)) continue;
            const double u = doc.U(i, j), v = doc.V(i, j);
            out += N(doc.PosX(i)) + "\t" + N(doc.PosY(j)) + "\t" + N(u) + "\t" + N(v) + "\t" +
                   N(std::sqrt(u * u + v * v)) + kEol;
        }
    return out;
}

std::string StanfordProfileFile(const VectorDocument &doc, char sep) {
    auto N = [sep](double x) { return PrintNumber(x, sep); };
    std::string out = std::string("Y[mm]\tVx[m/s]\tVy[m/s]\t|V|[m/s]") + kEol;
    for (int j = 1; j <= doc.NY; ++j) {
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
        out += N(doc.PosY(j)) + "\t" + N(mu) + "\t" + N(mv) + "\t" + N(VectorNorm(mu, mv)) + kEol;
    }
    return out;
}

std::string StanfordScalarFile(const VectorDocument &doc, char sep) {
    std::string out = "X[mm]/Y[mm]";
    for (int j = doc.NY; j >= 1; --j) out += "\t" + PrintNumber(doc.PosY(j), sep);
    out += kEol;
    for (int i = 1; i <= doc.NX; ++i) {
        out += PrintNumber(doc.PosX(i), sep);
        for (int j = doc.NY; j >= 1; --j) out += "\t" + PrintNumber(doc.BackValue(i, j), sep);
        out += kEol;
    }
    return out;
}

std::string TecPlotScalarFile(const VectorDocument &doc, char sep, bool squareRoot) {
    std::string out;
    for (int i = 1; i <= doc.NX; ++i)
        for (int j = doc.NY; j >= 1; --j) {
            double value = doc.BackValue(i, j);
            // the stored square carries the sense of rotation in its sign
            if (squareRoot) value = value < 0 ? -std::sqrt(-value) : std::sqrt(value);
            out += PrintNumber(doc.PosX(i), sep) + " " + PrintNumber(doc.PosY(j), sep) + " " + PrintNumber(value, sep) +
                   kEol;
        }
    return out;
}

std::string MatlabVectorFile(const VectorDocument &doc) {
    std::string out;
    for (int j = 1; j <= doc.NY; ++j)
        for (int i = 1; i <= doc.NX; ++i) {
            out += StrNumber(doc.PosX(i)) + ";" + StrNumber(doc.PosY(j)) + ";";
            if (doc.IsValid(i, j))
                out += StrNumber(doc.U(i, j)) + ";" + StrNumber(doc.V(i, j));
            else
                out += "0;0";
            out += kEol;
        }
    return out;
}

std::string MatlabScalarFile(const VectorDocument &doc) {
    std::string out = "0";
    for (int j = doc.NY; j >= 1; --j) out += ";" + StrNumber(doc.PosY(j));
    out += kEol;
    for (int i = 1; i <= doc.NX; ++i) {
        out += StrNumber(doc.PosX(i));
        for (int j = doc.NY; j >= 1; --j) out += ";" + StrNumber(doc.BackValue(i, j));
        out += kEol;
    }
    return out;
}

std::string ExportFileText(const TextExportKind &kind, const VectorDocument &doc, char sep) {
    switch (kind.format) {
        case ExportFormat::StanfordVector: return StanfordVectorFile(doc, sep);
        case ExportFormat::StanfordProfile: return StanfordProfileFile(doc, sep);
        case ExportFormat::StanfordScalar: return StanfordScalarFile(doc, sep);
        case ExportFormat::TecPlotScalar: return TecPlotScalarFile(doc, sep, false);
        case ExportFormat::TecPlotRoot: return TecPlotScalarFile(doc, sep, true);
        case ExportFormat::MatlabVector: return MatlabVectorFile(doc);
        case ExportFormat::MatlabScalar: return MatlabScalarFile(doc);
    }
    return std::string();
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
