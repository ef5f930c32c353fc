#pragma once
// Field files for the end-to-end tests, written with the program's own
// writers (and the test VEC writer): the awkward fields that once crashed the
// start-up, and one ordinary file per format.

#include <QString>

namespace desk {

// 10 x 8 own-format field whose every status is 0.
bool WriteAllInvalidSdx(const QString &path);
// An EdPIV DAT file with its header and no data line.
bool WriteHeaderOnlyDat(const QString &path);
// A 1 x 20 own-format field (one column) of still vectors.
bool WriteOneColumnSdx(const QString &path);
// A 20 x 1 VEC file of sub-format 1 (one row) of still vectors.
bool WriteOneRowVec(const QString &path);
// A 12 x 9 VEC file of sub-format 2 whose vectors are all null.
bool WriteNullVec(const QString &path);
// An ordinary field (40 x 30 sample) as "sdx", "dat" or "vec".
bool WriteOrdinary(const QString &path, const QString &format);

}  // namespace desk
