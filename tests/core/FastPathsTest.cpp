// The fast median, filters, derived fields, snapshots, table text and SDX
// reading hold against the plain versions (ReferenceOps.h), statuses, counts
// and values exactly.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "FileBytes.h"
#include "LocalMedianField.h"
#include "RandomField.h"
#include "ReferenceOps.h"
#include "SameField.h"
#include "SdxFile.h"
#include "Undo.h"

using namespace sx;

namespace {

struct Shape {
    int nx, ny;
};
// 2 x 2, one row, one column and fields around the strips and windows
const Shape kShapes[] = {{1, 1}, {2, 2}, {9, 1}, {1, 9}, {2, 7}, {6, 5}, {13, 11}, {37, 23}};

using Values = FieldValues;
VectorDocument MakeField(Shape s, Values kind, uint64_t seed) { return RandomField(s.nx, s.ny, kind, seed); }

std::string Where(const char *what, Shape s, Values kind) {
    return std::string(what) + " on " + std::to_string(s.nx) + " x " + std::to_string(s.ny) +
           (kind == Values::Ties       ? " (ties)"
            : kind == Values::Decimals ? " (decimals)"
                                       : " (noisy)");
}

// Equal bit patterns (so -0 differs from 0 and a NaN equals the same NaN).
::testing::AssertionResult SameBits(const FieldArray<double> &got, const FieldArray<double> &want) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes " << got.size() << " " << want.size();
    for (size_t k = 0; k < got.size(); ++k)
        if (std::memcmp(&got[k], &want[k], sizeof(double)) != 0)
            return ::testing::AssertionFailure()
                   << "element " << k << ": " << std::hexfloat << got[k] << " instead of " << want[k];
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Same(const Comparison &got, const Comparison &want) {
    if (got.Valid == want.Valid && got.cu == want.cu && got.cv == want.cv && got.cm == want.cm)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << got.cu << ", " << got.cv << " | " << got.cm << ", " << got.Valid
                                         << ") instead of (" << want.cu << ", " << want.cv << " | " << want.cm << ", "
                                         << want.Valid << ")";
}

}  // namespace

TEST(FastMedian, EqualsTheSelectionSortAtEveryNode) {
    const std::pair<int, int> windows[] = {{0, 0}, {1, 1}, {2, 2}, {1, 2}, {3, 0}, {0, 4}, {4, 4}};
    uint64_t seed = 1;
    for (const Shape &s : kShapes)
        for (Values kind : {Values::Noisy, Values::Ties})
            for (const auto &[hx, hy] : windows) {
                const VectorDocument d = MakeField(s, kind, ++seed);
                const std::vector<Comparison> fast = LocalMedianField(d, hx, hy);
                for (int i = 1; i <= s.nx; ++i)
                    for (int j = 1; j <= s.ny; ++j) {
                        if (d.Status(i, j) <= 0) continue;
                        const Comparison want = ref::LocalMedian(d, i, j, hx, hy);
                        ASSERT_TRUE(Same(fast[d.Index(i, j)], want))
                            << Where("median", s, kind) << ", window " << hx << " " << hy << ", node " << i << " " << j;
                    }
            }
}

// Windows of more than a few dozen nodes take the linear selection.
TEST(FastMedian, LargeWindowsToo) {
    for (Values kind : {Values::Noisy, Values::Ties}) {
        const Shape s{13, 11};
        const VectorDocument d = MakeField(s, kind, 77);
        for (int32_t h : {6, 12, 1000000}) {
            const std::vector<Comparison> fast = LocalMedianField(d, h, h);
            for (int i = 1; i <= s.nx; ++i)
                for (int j = 1; j <= s.ny; ++j) {
                    if (d.Status(i, j) <= 0) continue;
                    ASSERT_TRUE(Same(fast[d.Index(i, j)], ref::LocalMedian(d, i, j, h, h)))
                        << Where("median", s, kind) << ", half window " << h << ", node " << i << " " << j;
                }
        }
    }
}

TEST(FastMedian, NegativeHalfWindowHasNoNeighbours) {
    VectorDocument d = MakeField({6, 5}, Values::Noisy, 9), slow = d;
    for (const Comparison &c : LocalMedianField(d, -3, 2)) EXPECT_FALSE(c.Valid);
    FaultCriteria c;
    c.AbsDeviation = true;
    c.Mode = CompareMode::Median;
    c.HalfX = -1;
    EXPECT_EQ(SearchFaultVectors(d, c), ref::SearchFaultVectors(slow, c));
    EXPECT_EQ(d.Statuses, slow.Statuses);
}

TEST(FastMedian, EqualMagnitudesKeepTheSortsChoice) {
    // neighbours of (1, 1) in scan order (0, 1), (1, 0), (0, 2): the sort
    // keeps (1, 0), where a stable sort would give (0, 1)
    VectorDocument d = MakeField({4, 1}, Values::Noisy, 3);
    for (int i = 1; i <= 4; ++i) d.Status(i, 1) = StatusValid;
    d.U(2, 1) = 0, d.V(2, 1) = 1;
    d.U(3, 1) = 1, d.V(3, 1) = 0;
    d.U(4, 1) = 0, d.V(4, 1) = 2;
    const Comparison c = LocalMedianField(d, 3, 0)[0];
    EXPECT_TRUE(c.Valid);
    EXPECT_EQ(c.cu, 1);
    EXPECT_EQ(c.cv, 0);
    // the two middle entries of an even list tie: both are means of the sort's pair
    d.U(1, 1) = -1, d.V(1, 1) = 0;
    const Comparison e = LocalMedianField(d, 3, 0)[3];
    EXPECT_TRUE(Same(e, ref::LocalMedian(d, 4, 1, 3, 0)));
}

TEST(FastMedian, SearchMarksTheSameNodesInTheSameOrder) {
    std::vector<FaultCriteria> all;
    FaultCriteria a;
    a.AbsDeviation = true;
    a.AbsDeviationPercent = 20;
    all.push_back(a);
    FaultCriteria ad = a;
    ad.DirDeviation = true;
    ad.DirDeviationDegrees = 15;
    ad.LogicalOr = false;
    all.push_back(ad);
    FaultCriteria dm;
    dm.DirDeviation = true;
    dm.DirDeviationDegrees = 5;
    dm.AbsInterval = true;
    dm.AbsMin = 0.2;
    dm.AbsMax = 1.1;
    all.push_back(dm);
    uint64_t seed = 100;
    for (const Shape &s : kShapes)
        for (Values kind : {Values::Noisy, Values::Ties})
            for (FaultCriteria c : all)
                for (CompareMode mode : {CompareMode::Median, CompareMode::LocalMiddle})
                    for (int32_t h : {1, 2}) {
                        c.Mode = mode;
                        c.HalfX = h;
                        c.HalfY = 3 - h;
                        VectorDocument fast = MakeField(s, kind, ++seed), slow = fast;
                        std::vector<std::pair<int, int>> order, want;
                        const int32_t n = SearchFaultVectors(fast, c, [&](int i, int j) {
                            EXPECT_EQ(fast.Status(i, j), StatusQuestionable);  // marked when it is reported
                            order.emplace_back(i, j);
                        });
                        const int32_t m = ref::SearchFaultVectors(slow, c, &want);
                        ASSERT_EQ(n, m) << Where("search", s, kind);
                        ASSERT_EQ(order, want) << Where("search", s, kind);
                        ASSERT_EQ(fast.Statuses, slow.Statuses) << Where("search", s, kind);
                        EXPECT_EQ(fast.ValidCount, slow.ValidCount);
                    }
}

namespace {

// Weights a(dc) * b(dr) over offsets that are not centred.
FilterKernel Product(int dcMin, const std::vector<double> &a, int drMin, const std::vector<double> &b) {
    FilterKernel k(dcMin, dcMin + int(a.size()) - 1, drMin, drMin + int(b.size()) - 1, 0.0);
    for (size_t c = 0; c < a.size(); ++c)
        for (size_t r = 0; r < b.size(); ++r) k.At(dcMin + int(c), drMin + int(r)) = a[c] * b[r];
    return k;
}

}  // namespace

TEST(FastFilters, EveryKernelGivesThePlainLoopsBits) {
    FilterKernel cross = SquareKernel(1);  // not a product
    cross.At(-1, -1) = cross.At(1, 1) = cross.At(-1, 1) = cross.At(1, -1) = 0;
    FilterKernel infinite = GaussKernel(1);  // the plain loop itself
    infinite.At(1, 0) = INFINITY;
    uint64_t seed = 500;
    for (const Shape &s : kShapes)
        for (Values kind : {Values::Noisy, Values::Ties, Values::Decimals}) {
            const std::vector<std::pair<const char *, FilterKernel>> kernels = {
                {"box 3x3", SquareKernel(1)},
                {"box 5x5", SquareKernel(2)},
                {"Gauss 3x3", GaussKernel(1)},
                {"Gauss 5x5", GaussKernel(2)},
                {"row mean", VelocityProfileKernel(s.nx)},
                {"wider than the row", FilterKernel(-s.nx - 2, s.nx, 0, 0, 1.0)},
                {"one-sided", Product(-1, {1, 2, 3, 1}, 0, {2, 1})},
                {"above only", Product(0, {1}, -2, {1, 0.5})},
                {"zeros at the edge", Product(-1, {0, 1, 0}, -1, {1, 1, 1})},
                {"fractions 3x3", Product(-1, {0.1, 0.7, 0.3}, -1, {1.5, 0.2, 1e-3})},
                {"signed 5x5", Product(-2, {1, -2, 3, -2, 1}, -2, {-1, 4, 6, 4, 1})},
                {"4 x 6", Product(-2, {1, 2, 3, 4}, -3, {1, 1, 2, 3, 5, 8})},
                {"cross", cross},
                {"infinite weight", infinite},
            };
            for (const auto &[name, k] : kernels) {
                VectorDocument fast = MakeField(s, kind, ++seed), slow = fast;
                ApplyFilterKernel(fast, k);
                ref::ApplyFilterKernel(slow, k);
                const std::string where = Where(name, s, kind);
                ASSERT_EQ(fast.Statuses, slow.Statuses) << where;
                ASSERT_EQ(fast.ValidCount, slow.ValidCount) << where;
                EXPECT_TRUE(SameBits(fast.Us, slow.Us)) << where;
                EXPECT_TRUE(SameBits(fast.Vs, slow.Vs)) << where;
            }
        }
}

TEST(FastDerivedFields, OnePassGivesBothDefinitions) {
    uint64_t seed = 900;
    std::vector<VectorDocument> fields;
    for (const Shape &s : kShapes)
        for (Values kind : {Values::Noisy, Values::Ties, Values::Decimals})
            fields.push_back(MakeField(s, kind, ++seed));
    // equal positions, and components whose differences overflow
    VectorDocument odd = MakeField({9, 8}, Values::Noisy, 4);
    odd.PosX(4) = odd.PosX(3);
    odd.PosY(6) = odd.PosY(5);
    odd.U(7, 2) = 1e308;
    odd.U(8, 2) = -1e308;
    odd.V(2, 7) = -1e308;
    fields.push_back(odd);
    for (const VectorDocument &d : fields) {
        FieldArray<double> wantVort, wantSwirl, vort, swirl, alone;
        ref::Vorticity(d, wantVort);
        ref::SwirlSquare(d, wantSwirl);
        vort.assign(3, 7.0);  // stale contents of another size are replaced
        CalcDerivedFields(d, &vort, &swirl);
        const std::string where = std::to_string(d.NX) + " x " + std::to_string(d.NY);
        EXPECT_TRUE(SameBits(vort, wantVort)) << where;
        EXPECT_TRUE(SameBits(swirl, wantSwirl)) << where;
        CalcVorticity(d, alone);
        EXPECT_TRUE(SameBits(alone, wantVort)) << where;
        CalcSwirlSquare(d, alone);
        EXPECT_TRUE(SameBits(alone, wantSwirl)) << where;
        CalcDerivedFields(d, nullptr, &alone);
        EXPECT_TRUE(SameBits(alone, wantSwirl)) << where;
        for (double x : swirl) EXPECT_FALSE(x == 0 && std::signbit(x)) << where;
    }
}

TEST(UndoStorage, SnapshotsStayRightWhileTheirStorageIsReused) {
    // large enough for the streaming copy, and of no round size
    VectorDocument d = MakeField({401, 397}, Values::Noisy, 12);
    const VectorDocument first = d;
    SaveUndo(d, "Filter, Gauß (3x3)");
    ApplyFilterKernel(d, GaussKernel(1));
    d.InfoText = "geändert";
    const VectorDocument filtered = d;
    ASSERT_TRUE(RestoreUndo(d));
    ExpectSameField(d, first);
    EXPECT_EQ(d.InfoText, first.InfoText);
    EXPECT_FALSE(RestoreUndo(d));  // used up
    EXPECT_EQ(d.Us, first.Us);

    // the next snapshot is taken into the storage the undo left behind
    d.U(5, 6) = 42;
    SaveUndo(d, "Vektor bearbeiten");
    const VectorDocument edited = d;
    d.U(5, 6) = -1;
    d.Status(7, 8) = StatusRemoved;
    ASSERT_TRUE(RestoreUndo(d));
    ExpectSameField(d, edited);
    EXPECT_NE(d.Us, filtered.Us);

    // small fields are copied the ordinary way
    VectorDocument s = MakeField({3, 2}, Values::Ties, 5);
    const VectorDocument before = s;
    SaveUndo(s, "Vektoren entfernen");
    s.Status(1, 1) = StatusRemoved;
    ASSERT_TRUE(RestoreUndo(s));
    ExpectSameField(s, before);
}

TEST(SdxReading, ArraysReadInPiecesAndCheckedInEach) {
    const std::string path = ::testing::TempDir() + "strudelax_pieces.sdx";
    // 300 x 200: each array of doubles spans several pieces
    VectorDocument d = MakeField({300, 200}, Values::Noisy, 8);
    ASSERT_EQ(WriteSdxFile(d, path), SaveResult::Ok);
    VectorDocument back;
    ASSERT_TRUE(ReadSdxFile(path, back).ok);
    ExpectSameField(back, d);
    ASSERT_EQ(back.BackValues.size(), d.NodeCount());
    EXPECT_TRUE(std::all_of(back.BackValues.begin(), back.BackValues.end(), [](double b) { return b == 0; }));

    // a value that is not a number in a later piece still refuses the file
    std::string bytes = SdxBytes(d);
    const std::string raw(reinterpret_cast<const char *>(d.Vs.data()), d.NodeCount() * sizeof(double));
    const size_t vAt = bytes.find(raw);
    ASSERT_NE(vAt, std::string::npos);
    const double nan = std::nan("");
    std::memcpy(&bytes[vAt + (d.NodeCount() - 3) * sizeof(double)], &nan, sizeof nan);
    std::FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    VectorDocument bad;
    EXPECT_FALSE(ReadSdxFile(path, bad).ok);
    std::remove(path.c_str());
}
