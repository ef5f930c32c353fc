#include "FieldFiles.h"

#include <QFile>

#include "DatFile.h"
#include "SampleField.h"
#include "SdxFile.h"
#include "VecWriter.h"

namespace desk {

namespace {

bool WriteBytes(const QString &path, const std::string &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

sx::VectorDocument Grid(int nx, int ny) {
    sx::VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = 0.8 * i;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = 0.8 * j;
    d.Header.PixelsPerCm = 200;
    d.Header.TimeInterval = 25;
    d.Header.GridStepX = d.Header.GridStepY = 16;
    for (int i = 1; i <= nx; ++i)
        for (int j = 1; j <= ny; ++j) {
            d.U(i, j) = 0.5 + 0.1 * i;
            d.V(i, j) = -0.2 * j;
            d.Status(i, j) = sx::StatusValid;
        }
    d.ValidCount = d.CountValid();
    return d;
}

std::string Path(const QString &p) { return QFile::encodeName(p).toStdString(); }

}  // namespace

bool WriteAllInvalidSdx(const QString &path) {
    sx::VectorDocument d = Grid(10, 8);
    for (auto &s : d.Statuses) s = 0;
    d.ValidCount = 0;
    return sx::WriteSdxFile(d, Path(path)) == sx::SaveResult::Ok;
}

bool WriteHeaderOnlyDat(const QString &path) {
    const sx::VectorDocument d = sx::MakeSampleField(sx::SampleFieldOptions());
    if (sx::WriteDatFile(d, Path(path)) != sx::SaveResult::Ok) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray all = f.readAll();
    f.close();
    // the 16 header lines stay, the data lines go
    qsizetype at = 0;
    for (int k = 0; k < 16 && at >= 0; ++k) at = all.indexOf('\n', at) + 1;
    if (at <= 0) return false;
    return WriteBytes(path, all.left(at).toStdString());
}

// Still vectors: nothing can be drawn, so the plot asks while the file loads.
static sx::VectorDocument StillGrid(int nx, int ny) {
    sx::VectorDocument d = Grid(nx, ny);
    for (auto &u : d.Us) u = 0;
    for (auto &v : d.Vs) v = 0;
    return d;
}

bool WriteOneColumnSdx(const QString &path) {
    return sx::WriteSdxFile(StillGrid(1, 20), Path(path)) == sx::SaveResult::Ok;
}

bool WriteOneRowVec(const QString &path) { return WriteBytes(path, sx::VecBytes(StillGrid(20, 1), 1)); }

bool WriteNullVec(const QString &path) {
    sx::VectorDocument d = Grid(12, 9);
    // sub-format 2 writes null vectors for every node that is not valid
    for (auto &s : d.Statuses) s = 0;
    return WriteBytes(path, sx::VecBytes(d, 2));
}

bool WriteOrdinary(const QString &path, const QString &format) {
    const sx::VectorDocument d = sx::MakeSampleField(sx::SampleFieldOptions());
    if (format == QLatin1String("sdx")) return sx::WriteSdxFile(d, Path(path)) == sx::SaveResult::Ok;
    if (format == QLatin1String("dat")) return sx::WriteDatFile(d, Path(path)) == sx::SaveResult::Ok;
    return WriteBytes(path, sx::VecBytes(d, 1));
}

}  // namespace desk
