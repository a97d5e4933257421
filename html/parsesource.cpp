// The scans of a text that changes in place: a first scan that reads it a piece at a time and
// keeps its stretches, later ones that read only the stretches its changes touched.
#include "html/HTMLParser.h"

#include <QPointer>

THTMLParser::TRunning::TRunning(THTMLParser* parser) : FParser(parser) {
    parser->FParsing = true;
}

THTMLParser::TRunning::~TRunning() {
    if (FParser)
        FParser->FParsing = false;
}

THTMLParser::TBuilding::TBuilding(TScanChunks* chunks) : FChunks(chunks) {
    if (!FChunks)
        return;
    FChunks->Invalidate();
    FChunks->FBuilding = true;
    FChunks->FStale = false;
}

THTMLParser::TBuilding::~TBuilding() {
    if (FChunks)
        FChunks->FBuilding = false;
}

void THTMLParser::TBuilding::Keep(std::vector<TScanChunk>&& chunks, qsizetype length) const {
    if (!FChunks || FChunks->FStale)
        return;
    FChunks->FChunks = std::move(chunks);
    FChunks->FLength = length;
    FChunks->FValid = true;
}

void THTMLParser::ParseSource(const std::shared_ptr<TScanChunks>& chunks,
                              const TScanSource& source) {
    if (FParsing)
        return;
    const auto fits = [&] { return chunks->FValid && chunks->FLength == source.Length(); };
    if (FLightMode) {
        ParseKeeping(source.Text(0, source.Length()), chunks);
        return;
    }
    if (!fits()) {
        ParsePieces(chunks, source);
        return;
    }
    const TRunning running(this);
    Clear();
    emit OnBeforeParse(this);
    if (!running.Alive())
        return;
    // The text cannot be read by its stretches: a handler changed it out of step with them, or
    // they no longer cover it (they always should).
    const auto readWhole = [&] {
        chunks->Invalidate();
        FParsing = false;
        ParsePieces(chunks, source);
    };
    if (!fits()) {
        readWhole();
        return;
    }
    // Each run of changed stretches is read again, together with the stretches after it while
    // it leaves a tag or a title open at its end. No handler runs here.
    std::vector<TScanChunk>& all = chunks->FChunks;
    for (size_t i = 0; i < all.size(); ++i) {
        if (!all[i].Dirty)
            continue;
        size_t j = i;
        while (j + 1 < all.size() && all[j + 1].Dirty)
            ++j;
        std::vector<TScanChunk> fresh;
        for (;;) {
            const qsizetype from = all[i].Start;
            const qsizetype to = all[j].End();
            fresh.clear();
            const QString text = source.Text(from, to);
            const TStretchEnd end = ScanStretches(text, to == chunks->FLength, nullptr, false,
                                                  fresh, chunks->StretchChars);
            if (end == TStretchEnd::NeedMore && j + 1 < all.size()) {
                ++j;
                continue;
            }
            break;
        }
        if (fresh.empty() || fresh.back().End() != all[j].End() - all[i].Start) {
            readWhole();
            return;
        }
        for (TScanChunk& c : fresh)
            c.Start += all[i].Start;
        all.erase(all.begin() + qsizetype(i), all.begin() + qsizetype(j) + 1);
        all.insert(all.begin() + qsizetype(i), std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
        i += fresh.size() - 1;
    }
    Assemble(all);
    ++FScanCount;
    emit OnAfterParse(this);
}

void THTMLParser::ParsePieces(const std::shared_ptr<TScanChunks>& keep, const TScanSource& source) {
    if (FParsing)
        return;
    const TRunning running(this);
    Clear();
    const TBuilding building(keep.get());
    emit OnBeforeParse(this);
    if (!running.Alive())
        return;

    const qsizetype onePiece = qMax<qsizetype>(1, keep->PieceChars);
    std::vector<TScanChunk> chunks;
    TProgress progress{0, source.Length(), 0};
    qsizetype from = 0;
    qsizetype piece = onePiece;
    for (;;) {
        // A handler that edits the page mid-scan moves the text under the pieces; the lists
        // then mix both texts, and the caller, seeing the text changed, scans again.
        const qsizetype length = source.Length();
        from = qMin(from, length);
        const qsizetype to = qMin(length, from + piece);
        const QString text = source.Text(from, to);
        const size_t before = chunks.size();
        progress.Base = from;
        const TStretchEnd end =
            ScanStretches(text, to == length, &progress, false, chunks, keep->StretchChars);
        if (end == TStretchEnd::Destroyed)
            return;
        for (size_t i = before; i < chunks.size(); ++i)
            chunks[i].Start += from;
        if (end == TStretchEnd::Done && to == length)
            break;
        if (end == TStretchEnd::Done) {
            from = to;
            piece = onePiece;
        } else if (chunks.size() == before) {
            piece *= 2;
        } else {
            from = chunks.back().End();
            piece = onePiece;
        }
    }
    Assemble(chunks);
    building.Keep(std::move(chunks), source.Length());
    ++FScanCount;
    emit OnAfterParse(this);
}

THTMLParser::TUniqueList& THTMLParser::List(int kind) {
    // In the order of TScanFinds::TList.
    static constexpr TUniqueList THTMLParser::*kLists[TScanFinds::ListCount] = {
        &THTMLParser::FHyperLinks,  &THTMLParser::FApplets, &THTMLParser::FAreaLinks,
        &THTMLParser::FAnchorNames, &THTMLParser::FEmbeds,  &THTMLParser::FFormNames,
        &THTMLParser::FFrames,      &THTMLParser::FImages,  &THTMLParser::FObjects,
        &THTMLParser::FScripts};
    return this->*kLists[kind];
}

void THTMLParser::Assemble(const std::vector<TScanChunk>& chunks) {
    for (const TScanChunk& chunk : chunks) {
        const TScanFinds& f = chunk.Finds;
        for (int k = 0; k < TScanFinds::ListCount; ++k) {
            TUniqueList& list = List(k);
            for (const QString& item : f.Lists[k])
                list.Add(item);
        }
        FStyleSheets += f.StyleSheets;
        for (const TScanFinds::TCss& css : f.Css) {
            if (css.Linked)
                LoadLinkedStyleSheet(css.Sheet);
            else
                FCssClasses += css.Classes;
        }
        for (auto [from, to] : {std::pair{&f.Title, &FPageTitle},
                                {&f.Generator, &FGenerator},
                                {&f.Author, &FAuthor},
                                {&f.Keywords, &FKeywords},
                                {&f.Description, &FDescription}}) {
            if (*from)
                *to = **from;
        }
    }
}
