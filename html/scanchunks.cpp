#include "html/scanchunks.h"

#include <algorithm>

void TScanChunks::Invalidate() {
    FValid = false;
    FChunks.clear();
    FLength = 0;
    if (FBuilding)
        FStale = true;
}

void TScanChunks::Change(qsizetype pos, qsizetype removed, qsizetype added) {
    if (FBuilding)
        FStale = true;
    if (!FValid)
        return;
    if (pos < 0 || removed < 0 || added < 0 || pos > FLength || FChunks.empty()) {
        Invalidate();
        return;
    }
    // The editor may count the text's closing paragraph end in a change at the end; it is no
    // character of the text, so it is taken off both counts.
    if (pos + removed > FLength) {
        const qsizetype over = pos + removed - FLength;
        removed -= over;
        added = qMax<qsizetype>(0, added - over);
    }
    const qsizetype end = pos + removed;
    const qsizetype delta = added - removed;
    // Every stretch that the changed range touches, its ends included: an insertion at a
    // boundary may belong to either side.
    auto first = std::lower_bound(FChunks.begin(), FChunks.end(), pos,
                                  [](const TScanChunk& c, qsizetype p) { return c.End() < p; });
    if (first == FChunks.end())
        first = FChunks.end() - 1;
    auto last = first;
    while (last + 1 != FChunks.end() && (last + 1)->Start <= end)
        ++last;
    TScanChunk& merged = *first;
    merged.Length = last->End() - merged.Start + delta;
    merged.Dirty = true;
    merged.Finds = TScanFinds();
    const auto next = FChunks.erase(first + 1, last + 1);
    for (auto it = next; it != FChunks.end(); ++it)
        it->Start += delta;
    FLength += delta;
}
