#pragma once
// The fault-vector search: criteria, comparison vectors and the marking pass,
// plus the pure parts of its criteria dialog (key filters, bound ordering).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VectorDocument.h"

namespace sx {

enum class CompareMode { AllMiddle, LocalMiddle, Median, UserVector };

struct FaultCriteria {
    bool AbsDeviation = false;  // A: magnitude deviation from the comparison
    bool DirDeviation = false;  // D: direction deviation from the comparison
    bool AbsInterval = false;   // M
    bool XComp = false;         // X
    bool YComp = false;         // Y
    double AbsDeviationPercent = 30;
    double DirDeviationDegrees = 10;
    double AbsMin = 0, AbsMax = 10;
    double XMin = -10, XMax = 10;
    double YMin = -10, YMax = 10;
    bool AbsOutside = true, XOutside = true, YOutside = true;
    CompareMode Mode = CompareMode::LocalMiddle;
    int32_t HalfX = 0, HalfY = 0;  // local window reaches this many nodes to each side
    double UserU = 0, UserV = 0;
    bool LogicalOr = true;

    int TickedCount() const;
    bool NeedsComparison() const { return AbsDeviation || DirDeviation; }
};

struct Comparison {
    double cu = 0, cv = 0, cm = 0;
    bool Valid = false;
};

// Mean of every valid vector of the field (invalid when there is none).
Comparison OverallMean(const VectorDocument &doc);
// Mean of the valid neighbours in the clipped window around (i, j); cm is the
// mean of their magnitudes.
Comparison LocalMean(const VectorDocument &doc, int i, int j, int32_t hx, int32_t hy);

// The comparison of the median mode: the median by magnitude of the valid
// neighbours in the clipped window around a node, the list sorted by
// descending magnitude with the selection sort that keeps the first of equal
// entries. Each valid node's magnitude is found once for the whole field.
class LocalMedianPass {
public:
    LocalMedianPass(const VectorDocument &doc, int32_t hx, int32_t hy);
    ~LocalMedianPass();
    LocalMedianPass(const LocalMedianPass &) = delete;
    LocalMedianPass &operator=(const LocalMedianPass &) = delete;
    Comparison At(int i, int j);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// How many of the ticked criteria the vector (u, v) meets.
int CriteriaMet(const FaultCriteria &c, const Comparison &cmp, double u, double v);

// Marks every valid vector that fails the criteria as questionable (status 5),
// in the order column outer, row inner; `flagged` is told of each one.
// Returns the number flagged in this pass. Does not touch ValidCount.
int32_t SearchFaultVectors(VectorDocument &doc, const FaultCriteria &c,
                           const std::function<void(int i, int j)> &flagged = nullptr);

int32_t CountQuestionable(const VectorDocument &doc);
// "Insgesamt sind <n> Vektoren fragwürdig. ..."
std::string QuestionableReportText(int32_t n);

// Half window from a window-size list text: <value - 1> \ 2 (empty text gives 0).
int32_t HalfWindowFromText(const std::string &text);

// The key filters of the criteria dialog's number boxes. `caret` is the
// start of the box's selection (or its cursor). Returns the key to insert,
// 0 when the key is swallowed.
enum class FaultKeyKind { Digits, UnsignedDecimal, SignedDecimal };
int FilterFaultKey(FaultKeyKind kind, int key, const std::string &text, int caret);

// On OK: a pair of interval bounds is exchanged when the minimum's value is
// strictly greater than the maximum's.
bool BoundsNeedSwap(const std::string &minText, const std::string &maxText);

}  // namespace sx
