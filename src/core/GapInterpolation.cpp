#include "GapInterpolation.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Numbers.h"

namespace sx {

namespace {

constexpr int kMaxSupport = 8;

// The nodes of the 3 x 3 window around `at`, clipped to the grid, column by
// column as the filters visit theirs: the window's sums are added in this
// order, and their last bit decides many a rounded table text.
template <typename F>
inline void ForWindow(size_t at, int nx, int ny, F &&f) {
    const int i = static_cast<int>(at % static_cast<size_t>(nx));
    const int j = static_cast<int>(at / static_cast<size_t>(nx));
    const int i0 = std::max(i - 1, 0), i1 = std::min(i + 1, nx - 1);
    const int j0 = std::max(j - 1, 0), j1 = std::min(j + 1, ny - 1);
    for (int ii = i0; ii <= i1; ++ii)
        for (int jj = j0; jj <= j1; ++jj) f(static_cast<size_t>(jj) * static_cast<size_t>(nx) + static_cast<size_t>(ii));
}

}  // namespace

// Support counts change only where a neighbour was filled, so they are kept
// up to date incrementally and the gaps wait in one list per count; a pass
// then costs as much as the gaps it fills, not a scan of the whole grid.
InterpolationResult InterpolateGaps(VectorDocument &doc) {
    InterpolationResult res;
    const int nx = doc.NX, ny = doc.NY;
    if (nx <= 0 || ny <= 0) return res;
    FieldArray<int32_t> &st = doc.Statuses;
    const size_t n = doc.NodeCount();

    std::vector<uint8_t> support(n, 0);
    std::array<std::vector<uint32_t>, kMaxSupport + 1> waiting;
    size_t gaps = 0;
    for (size_t at = 0; at < n; ++at) {
        if (st[at] != StatusInvalid) continue;
        ++gaps;
        int s = 0;
        ForWindow(at, nx, ny, [&](size_t k) { s += st[k] > 0; });
        support[at] = static_cast<uint8_t>(s);
        waiting[static_cast<size_t>(s)].push_back(static_cast<uint32_t>(at));
    }

    std::vector<uint32_t> pass;
    while (true) {
        ++res.passes;
        // the previous pass's nodes count as interpolated from now on
        for (uint32_t at : pass) st[at] = StatusInterpolated;
        pass.clear();
        if (gaps == 0) break;

        // the highest count that a gap still has; stale entries (filled gaps,
        // gaps that have moved on to a higher count) are dropped on the way
        int maxSupport = 0;
        for (int s = kMaxSupport; s >= 1 && maxSupport == 0; --s) {
            std::vector<uint32_t> &list = waiting[static_cast<size_t>(s)];
            list.erase(std::remove_if(list.begin(), list.end(),
                                      [&](uint32_t at) { return st[at] != StatusInvalid || support[at] != s; }),
                       list.end());
            if (!list.empty()) maxSupport = s;
        }
        if (maxSupport == 0) {
            res.impossible = true;
            break;
        }

        pass.swap(waiting[static_cast<size_t>(maxSupport)]);
        for (uint32_t at : pass) {
            double sumU = 0, sumV = 0;
            int cnt = 0;
            // nodes filled earlier in this pass (127) are not used
            ForWindow(at, nx, ny, [&](size_t k) {
                if (st[k] > 0 && st[k] != StatusNewlyInterpolated) {
                    sumU += doc.Us[k];
                    sumV += doc.Vs[k];
                    ++cnt;
                }
            });
            // cnt equals the support count, which is at least 1 here
            doc.Us[at] = sumU / cnt;
            doc.Vs[at] = sumV / cnt;
            st[at] = StatusNewlyInterpolated;
            ++doc.ValidCount;
        }
        gaps -= pass.size();
        res.filled += static_cast<int32_t>(pass.size());
        for (uint32_t at : pass)
            ForWindow(at, nx, ny, [&](size_t k) {
                if (st[k] != StatusInvalid) return;
                const uint8_t s = ++support[k];
                waiting[s].push_back(static_cast<uint32_t>(k));
            });
    }
    return res;
}

UserMessage InterpolationImpossibleMessage() {
    return {"Interpolation mit den vorhandenen Daten nicht möglich!", MsgIcon::Exclamation, MsgButtons::Ok,
            "Fehler bei Interpolation"};
}

MeanVelocity MeanOfValidVectors(const VectorDocument &doc, const CellRect &rect) {
    MeanVelocity m;
    if (rect.empty()) return m;
    double sumU = 0, sumV = 0;
    // column by column, as the sums have always been added up
    for (int i = rect.firstCol; i <= rect.lastCol; ++i)
        for (int j = rect.firstRow; j <= rect.lastRow; ++j) {
            const size_t at = doc.Index(i, j);
            if (doc.Statuses[at] > 0) {
                sumU += doc.Us[at];
                sumV += doc.Vs[at];
                ++m.count;
            }
        }
    if (m.count > 0) {
        m.u = sumU / static_cast<double>(m.count);
        m.v = sumV / static_cast<double>(m.count);
    }
    return m;
}

MeanVelocity MeanOfValidVectors(const VectorDocument &doc) {
    CellRect all;
    all.firstCol = 1;
    all.lastCol = doc.NX;
    all.firstRow = 1;
    all.lastRow = doc.NY;
    return MeanOfValidVectors(doc, all);
}

UserMessage MeanVelocityMessage(const MeanVelocity &mean) {
    std::string t = "Die mittlere Geschwindigkeit beträgt:\r\n\r\n";
    t += "           Vx = " + StrNumberUntrimmed(mean.u) + " m/s\r\n";
    t += "           Vy = " + StrNumberUntrimmed(mean.v) + " m/s\r\n\r\n";
    t += "Der Vektor wurde in der Zwischenablage vermerkt und kann ";
    t += "mit dem Befehl 'Einfügen' aus dem Menü 'Bearbeiten' in ";
    t += "die Tabelle eingefügt werden. Außerdem wird ein sich in der ";
    t += "Zwischenablage befindlicher Vektor als Standardvorgabe im ";
    t += "Formular 'Vektor eingeben' vorgegeben.";
    return {t, MsgIcon::Information, MsgButtons::Ok, "Mittlere Geschwindigkeit"};
}

UserMessage NoValidVectorsMessage() {
    return {"Es gibt keine gültigen Vektoren, aus denen sich eine mittlere Geschwindigkeit berechnen ließe.",
            MsgIcon::Information, MsgButtons::Ok, "Mittlere Geschwindigkeit"};
}

}  // namespace sx
