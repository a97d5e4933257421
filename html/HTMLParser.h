// THTMLParser: the shallow scanner of a page's source. It walks the text from one "<" to the next
// ">", looks at each tag's name and, for a fixed set of names, pulls one or two attribute values
// out of the tag text. It collects the title, four meta values and twelve lists that the navigator,
// completion, the tag editor and the element dialogs show. It builds no tree and reports nothing.
#pragma once

#include <QHashFunctions>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "html/scanchunks.h"

#include <memory>
#include <vector>

class THTMLParser : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 Tag READ Tag WRITE setTag)
    Q_PROPERTY(bool LightMode READ LightMode WRITE setLightMode)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)

public:
    explicit THTMLParser(QObject* owner = nullptr);
    ~THTMLParser() override;

    // Free value for the owner; nothing depends on it.
    qint32 Tag() const { return FTag; }
    void setTag(qint32 value) { FTag = value; }

    // The editor whose whole text ParseEditor and ParseHead scan, read through its "pageText"
    // property ("plainText" for other controls). Not owned; forgotten when it is destroyed.
    QObject* PageEditor() const { return FPageEditor.data(); }
    void setPageEditor(QObject* editor) { FPageEditor = editor; }

    // Head-only scan: the scan stops at "body" and the body lists of the last full scan stay.
    bool LightMode() const { return FLightMode; }
    void setLightMode(bool value) { FLightMode = value; }

    // The page on disk, the base of linked style sheets. Setting it to an existing file stores
    // the name and scans that file; any other name is ignored.
    const QString& FileName() const { return FFileName; }
    void setFileName(const QString& name);
    // Stores the name as given, without looking at the disk and without scanning: the document
    // workspace uses it for the shown tab's file before scanning the editor's text.
    void AssignFileName(const QString& name) { FFileName = name; }

    const QString& PageTitle() const { return FPageTitle; }
    const QString& Generator() const { return FGenerator; }
    const QString& Author() const { return FAuthor; }
    const QString& Keywords() const { return FKeywords; }
    const QString& Description() const { return FDescription; }

    const QStringList& HyperLinks() const { return FHyperLinks.Items; }
    const QStringList& Applets() const { return FApplets.Items; }
    const QStringList& AreaLinks() const { return FAreaLinks.Items; }
    const QStringList& AnchorNames() const { return FAnchorNames.Items; }
    const QStringList& CssClasses() const { return FCssClasses; }
    const QStringList& Embeds() const { return FEmbeds.Items; }
    const QStringList& FormNames() const { return FFormNames.Items; }
    const QStringList& Frames() const { return FFrames.Items; }
    const QStringList& Images() const { return FImages.Items; }
    const QStringList& Objects() const { return FObjects.Items; }
    const QStringList& Scripts() const { return FScripts.Items; }
    const QStringList& StyleSheets() const { return FStyleSheets; }

    // Reads FileName (when it exists) and scans it. Throws EFileError when the file exists but
    // cannot be read.
    void ParseFile();
    // Scans the editor's whole text in the current mode.
    void ParseEditor();
    // A light scan of the editor's text, whatever LightMode says.
    void ParseHead();
    // The scan. A request made while a scan runs (from one of its event handlers) is ignored.
    void Parse(const QString& text);
    // A full scan of a text that changes in place, giving exactly what Parse gives for its whole
    // text. The first scan reads the whole text and keeps its stretches in `chunks`; later
    // ones read again only the stretches the text's changes touched (without OnParse, they
    // take no time to speak of). A head scan, or stretches that do not fit the text, read it
    // whole.
    void ParseSource(const std::shared_ptr<TScanChunks>& chunks, const TScanSource& source);
    // Empties the twelve lists and the five texts.
    void Clear();

    bool IsParsing() const { return FParsing; }
    // Counts finished scans of any kind: lists known to come from scan number N are current
    // while this still says N.
    quint64 ScanCount() const { return FScanCount; }

public:
    // A list that takes each text only once, in the order of first appearance. A small hash
    // table of item numbers keeps the duplicate test constant-time on pages with thousands of
    // links, without building a string for a value that is already there.
    struct TUniqueList {
        QStringList Items;
        std::vector<quint32> Slots; // 0 free, else item number + 1; size a power of two
        std::vector<size_t> Hashes; // of each item, so growing and probing compare numbers
        size_t Seed = QHashSeed::globalSeed();
        void Add(QStringView value);
        // The same, sharing the text when it is new.
        void Add(const QString& value);
        void Clear();

    private:
        void AddText(QStringView value, const QString* shared);
        void Grow();
    };

    // Everything a scan produces, to be kept beside the text it came from and put back later.
    struct TSnapshot {
        QString FileName, PageTitle, Generator, Author, Keywords, Description;
        TUniqueList HyperLinks, Applets, AreaLinks, AnchorNames, Embeds, FormNames, Frames, Images,
            Objects, Scripts;
        QStringList CssClasses, StyleSheets;
    };
    TSnapshot Snapshot() const;
    // Puts back what an earlier scan produced, as a scan would: OnBeforeParse, the lists, a new
    // ScanCount, OnAfterParse.
    void Restore(const TSnapshot& snapshot);

signals:
    // Once per tag, before the tag is examined; PercentDone is how much of the text lies behind.
    void OnParse(QObject* Sender, quint8 PercentDone);
    void OnBeforeParse(QObject* Sender);
    void OnAfterParse(QObject* Sender);
    // Kept for owners that connect to it; the scanner itself never sends it.
    void OnUpdate(QObject* Sender);

private:
    // Marks a scan as running for its lifetime; a handler may destroy the scanner meanwhile.
    class TRunning {
    public:
        explicit TRunning(THTMLParser* parser);
        ~TRunning();
        bool Alive() const { return !FParser.isNull(); }

    private:
        QPointer<THTMLParser> FParser;
    };
    // A full scan filling a text's stretches: they are kept only when the text did not change
    // while it ran.
    class TBuilding {
    public:
        explicit TBuilding(TScanChunks* chunks);
        ~TBuilding();
        void Keep(std::vector<TScanChunk>&& chunks, qsizetype length) const;

    private:
        TScanChunks* FChunks;
    };
    enum class TStretchEnd { Done, NeedMore, Body, Destroyed };
    // Where a text scanned for OnParse lies in the whole: its start, the whole's length, how far
    // tags were already reported (a piece read again reports each tag once), and how far the
    // whole is read.
    struct TProgress {
        qsizetype Base = 0;
        qsizetype Total = 0;
        qsizetype ReportedUpTo = 0;
        qsizetype Read = 0; // in the whole: where the text not yet read starts
    };
    // Scans the tags of `text` into stretches (appended to `out`, their starts relative to the
    // text). Without `reachesEnd` the text is followed by more: a tag or a title it leaves open
    // ends the scan with NeedMore, keeping the stretches closed before it. With `progress`
    // OnParse is sent once per tag.
    TStretchEnd ScanStretches(QStringView text, bool reachesEnd, TProgress* progress, bool light,
                              std::vector<TScanChunk>& out, qsizetype stretch = 32 * 1024);
    // A full scan that reads the text piece by piece, so no copy of the whole text is made.
    void ParsePieces(const std::shared_ptr<TScanChunks>& keep, const TScanSource& source);
    // Puts the stretches' finds together into the lists, in page order (onto the lists as they
    // are in a head scan).
    void Assemble(const std::vector<TScanChunk>& chunks);
    void ParseKeeping(const QString& text, const std::shared_ptr<TScanChunks>& keep);
    TUniqueList& List(int kind);
    // Builds the attribute form of the tag text [begin, end) in FAttrText.
    void PrepareAttrText(QStringView tagText);
    // The value of one attribute in FAttrText; a view into it, empty when absent.
    QStringView AttrValue(QStringView attrName) const;
    static void ParseClasses(QStringView styleText, QStringList& into);
    void LoadLinkedStyleSheet(const QString& link);

    qint32 FTag = 0;
    QPointer<QObject> FPageEditor;
    bool FLightMode = false;
    bool FParsing = false;
    quint64 FScanCount = 0;
    QString FFileName;

    QString FPageTitle;
    QString FGenerator;
    QString FAuthor;
    QString FKeywords;
    QString FDescription;

    TUniqueList FHyperLinks;
    TUniqueList FApplets;
    TUniqueList FAreaLinks;
    TUniqueList FAnchorNames;
    QStringList FCssClasses;
    TUniqueList FEmbeds;
    TUniqueList FFormNames;
    TUniqueList FFrames;
    TUniqueList FImages;
    TUniqueList FObjects;
    TUniqueList FScripts;
    QStringList FStyleSheets;

    // Scratch space for one tag's attribute text, reused from tag to tag.
    QString FAttrText;
};
