// A page's scan kept in stretches, so that a changed page is scanned again only where it changed.
// Each stretch begins where a whole scan stands between tags, and everything the tags opening in
// it give depends on its own text alone: a tag that a stretch opens also closes in it, and a
// title or style block it reads runs no further than its end. Only the last stretch reaches the
// end of the page.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The text a scan reads, by ranges: for a document that is not one string.
class TScanSource {
public:
    virtual ~TScanSource() = default;
    virtual qsizetype Length() const = 0;
    // The text of [from, to) with LF line breaks.
    virtual QString Text(qsizetype from, qsizetype to) const = 0;
};

// What the tags that open in one stretch give.
struct TScanFinds {
    enum TList {
        HyperLinks,
        Applets,
        AreaLinks,
        AnchorNames,
        Embeds,
        FormNames,
        Frames,
        Images,
        Objects,
        Scripts,
        ListCount
    };
    QStringList Lists[ListCount]; // each text once, in the order of first appearance
    QStringList StyleSheets;      // every linked sheet, in page order
    // Class names in page order: a style block's names, or a linked style sheet that is read
    // when the stretches are put together, so a sheet changed on disk is read anew as a whole
    // scan would.
    struct TCss {
        bool Linked = false;
        QString Sheet;
        QStringList Classes;
    };
    std::vector<TCss> Css;
    // The last of each in the stretch.
    std::optional<QString> Title, Generator, Author, Keywords, Description;
};

struct TScanChunk {
    qsizetype Start = 0;
    qsizetype Length = 0;
    bool Dirty = false; // changed since scanned: its finds are gone
    TScanFinds Finds;
    qsizetype End() const { return Start + Length; }
};

// The stretches of one text, kept up to date with its changes. Filled by THTMLParser.
class TScanChunks {
public:
    bool IsValid() const { return FValid; }
    // Forgets the stretches: the next scan reads the whole text.
    void Invalidate();
    // [pos, pos + removed) of the text was replaced by `added` characters. The stretches it
    // touches are merged and marked for a new scan; the ones after it move.
    void Change(qsizetype pos, qsizetype removed, qsizetype added);
    qsizetype Length() const { return FLength; }
    const std::vector<TScanChunk>& Chunks() const { return FChunks; }

    // About this many characters a stretch: a change costs a scan of that much.
    qsizetype StretchChars = 32 * 1024;
    // A first scan reads the text this many characters at a time (a piece with no place to
    // cut, such as a title longer than that, is read again twice as long).
    qsizetype PieceChars = 1024 * 1024;

private:
    friend class THTMLParser;
    std::vector<TScanChunk> FChunks;
    qsizetype FLength = 0;
    bool FValid = false;
    // A whole scan is filling the stretches from a copy of the text: a change meanwhile makes
    // what it fills stale.
    bool FBuilding = false;
    bool FStale = false;
};
