#include "TableColumns.h"

#include <cmath>

#include "Numbers.h"
#include "TableText.h"

namespace sx {

namespace {

// The longest "0.0000" text among the values offered to it.
class LongestText {
public:
    explicit LongestText(char separator) : separator_(separator) {}
    void Offer(double x) {
        if (std::isfinite(x)) {
            if (!any_ || x > max_) max_ = x;
            if (!any_ || x < min_) min_ = x;
            any_ = true;
        } else if (std::isnan(x) ? !nan_ : !inf_) {
            (std::isnan(x) ? nan_ : inf_) = true;
            Keep(x);
        }
    }
    std::string Text() {
        if (any_) {
            Keep(max_);
            Keep(min_);
        }
        return longest_;
    }

private:
    void Keep(double x) {
        std::string s;
        AppendFixed(s, x, 4, separator_);
        if (s.size() > longest_.size()) longest_ = s;
    }
    char separator_;
    bool any_ = false, nan_ = false, inf_ = false;
    double max_ = 0, min_ = 0;
    std::string longest_;
};

}  // namespace

TableWidestTexts WidestTableTexts(const VectorDocument &doc, char decimalSeparator) {
    LongestText u(decimalSeparator), v(decimalSeparator), pos(decimalSeparator);
    bool shown = false;
    // the order of the nodes does not matter here: run along the storage
    const size_t n = doc.NodeCount();
    for (size_t k = 0; k < n; ++k) {
        if (doc.Statuses[k] < 0) continue;
        u.Offer(doc.Us[k]);
        v.Offer(doc.Vs[k]);
        shown = true;
    }
    for (int i = 1; i <= doc.NX; ++i) pos.Offer(doc.PosX(i));
    for (int j = 1; j <= doc.NY; ++j) pos.Offer(doc.PosY(j));
    TableWidestTexts t;
    if (shown) t.Cell = "(" + u.Text() + "; " + v.Text() + ")";
    t.Header = pos.Text();
    return t;
}

}  // namespace sx
