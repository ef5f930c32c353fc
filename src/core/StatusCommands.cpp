#include "StatusCommands.h"

namespace sx {

namespace {

bool Counts(int32_t status) { return status > 0; }

}  // namespace

SelectionStatusResult ApplySelectionStatus(VectorDocument &doc, SelectionStatusCommand cmd, const CellRect &rect) {
    SelectionStatusResult r;
    if (rect.empty() || doc.Statuses.size() != doc.NodeCount()) return r;
    for (int i = rect.firstCol; i <= rect.lastCol; ++i) {
        for (int j = rect.firstRow; j <= rect.lastRow; ++j) {
            int32_t &st = doc.Status(i, j);
            int32_t next = st;
            switch (cmd) {
                case SelectionStatusCommand::InvalidToValid:
                    if (st != StatusInvalid) continue;
                    next = StatusChanged;
                    break;
                case SelectionStatusCommand::AllToValid: next = StatusChanged; break;
                case SelectionStatusCommand::AllToInvalid: next = StatusInvalid; break;
                case SelectionStatusCommand::Remove: next = StatusRemoved; break;
            }
            doc.ValidCount += (Counts(next) ? 1 : 0) - (Counts(st) ? 1 : 0);
            st = next;
            ++r.changed;
            r.lastCol = i;
            r.lastRow = j;
        }
    }
    return r;
}

long SetQuestionableStatus(VectorDocument &doc, int32_t newStatus) {
    long changed = 0;
    if (doc.Statuses.size() != doc.NodeCount()) return 0;
    for (int i = 1; i <= doc.NX; ++i) {
        for (int j = 1; j <= doc.NY; ++j) {
            int32_t &st = doc.Status(i, j);
            if (st != StatusQuestionable) continue;
            if (!Counts(newStatus)) --doc.ValidCount;
            st = newStatus;
            ++changed;
        }
    }
    return changed;
}

}  // namespace sx
