// The scan of a document that changes in place: after any series of edits, the scan that reads
// only the changed stretches gives exactly what a scan of the whole text gives.
#include "app/document.h"
#include "html/HTMLParser.h"

#include "support/scanfields.h"
#include "support/testutil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Pieces a page is made of and edits insert: every kind of tag the scanner reads, text, line
// breaks, and the stray "<" and ">" that make tags run on or end early.
const QStringList kPieces = {
    u"<a href=\"p%1.html\">ссылка</a>"_s,
    u"<a name=\"n%1\">"_s,
    u"<img src=\"i%1.gif\" alt=\"x\">"_s,
    u"<title>Заголовок %1</title>"_s,
    u"<title>без конца %1"_s,
    u"<style>.c%1 { color: red } .d%1{}</style>"_s,
    u"<style>.open%1 "_s,
    u"<link rel=\"stylesheet\" href=\"s.css\">"_s,
    u"<meta name=\"author\" content=\"Автор %1\">"_s,
    u"<meta http-equiv=\"keywords\" content=\"k%1\">"_s,
    u"<script src=\"j%1.js\">if (a < b) x = 1;</script>"_s,
    u"<form name=\"f%1\"><area href=\"r%1.html\"><embed src=\"e%1.swf\">"_s,
    u"<frame src=\"fr%1.html\"><applet code=\"A%1.class\"><object classid=\"o%1\">"_s,
    u"<body>"_s,
    u"<p>Текст абзаца номер %1, довольно длинный, чтобы страница росла.</p>"_s,
    u"\n"_s,
    u"\n\n"_s,
    u"<"_s,
    u">"_s,
    u"<a href=\"x%1"_s};

// Numbers from a small range repeat values across the page, as links to the same page do.
QString Piece(QRandomGenerator& r, int numbers = 300) {
    const QString p = kPieces[r.bounded(int(kPieces.size()))];
    return p.contains(u"%1"_s) ? p.arg(r.bounded(numbers)) : p;
}

QString RandomPage(QRandomGenerator& r, int chars, int numbers = 300) {
    QString page;
    while (page.size() < chars)
        page += Piece(r, numbers);
    return page;
}

struct TScanned {
    THTMLParser Incremental;
    THTMLParser Whole;
    int Reports = 0; // OnParse of the incremental scanner

    explicit TScanned(const QString& fileName) {
        Incremental.AssignFileName(fileName);
        Whole.AssignFileName(fileName);
        QObject::connect(&Incremental, &THTMLParser::OnParse, &Incremental, [this] { ++Reports; });
    }
    // Scans both ways; true when they agree.
    bool Agree(TDocument& d) {
        Incremental.ParseSource(d.ScanChunks(), TDocumentText(d.TextDocument()));
        Whole.Parse(d.Text());
        return ScanFields(Incremental) == ScanFields(Whole);
    }
};

// Small stretches and pieces, so that pages of a few kilobytes hold dozens of them.
void UseSmallStretches(TDocument& d) {
    d.ScanChunks()->StretchChars = 300;
    d.ScanChunks()->PieceChars = 2000;
}

// The stretches cover the text without gap or overlap.
bool Covers(const TScanChunks& c) {
    qsizetype at = 0;
    for (const TScanChunk& chunk : c.Chunks()) {
        if (chunk.Start != at || chunk.Length < 0)
            return false;
        at = chunk.End();
    }
    return at == c.Length();
}

} // namespace

class TestScanChunks : public QObject {
    Q_OBJECT

private slots:
    void editsGiveWhatAWholeScanGives_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("size");
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u, 9u, 10u})
            QTest::addRow("seed %u", seed) << seed << 15000;
        QTest::addRow("small page") << 7u << 300;
        QTest::addRow("empty page") << 8u << 0;
    }

    void editsGiveWhatAWholeScanGives() {
        QFETCH(quint32, seed);
        QFETCH(int, size);
        QTemporaryDir dir;
        testutil::WriteBytes(dir.filePath(u"s.css"_s), ".linked1 {} .linked2 {}");
        QRandomGenerator r(seed);
        TDocument d(dir.filePath(u"page.html"_s), RandomPage(r, size));
        UseSmallStretches(d);
        TScanned scan(d.Path());
        QVERIFY(scan.Agree(d));
        QVERIFY(d.ScanChunks()->IsValid());
        if (size > 10000)
            QVERIFY(d.ScanChunks()->Chunks().size() > 10);

        for (int step = 0; step < 150; ++step) {
            QTextCursor c(d.TextDocument());
            const int length = int(d.ScanChunks()->Length());
            const int at = r.bounded(length + 1);
            c.setPosition(at);
            QString what;
            const int kind = r.bounded(8);
            switch (kind) {
            case 0:
            case 1:
            case 2: // typing
                what = u"insert "_s;
                c.insertText(Piece(r));
                break;
            case 3: // deleting a little, or a lot across stretches
            case 4:
                what = kind == 3 ? u"delete "_s : u"cut "_s;
                c.setPosition(qMin(length, at + r.bounded(1, kind == 3 ? 40 : 7000)),
                              QTextCursor::KeepAnchor);
                c.removeSelectedText();
                break;
            case 5: // replacing
                what = u"replace "_s;
                c.setPosition(qMin(length, at + r.bounded(1, 200)), QTextCursor::KeepAnchor);
                c.insertText(Piece(r) + Piece(r));
                break;
            case 6:
                what = u"undo "_s;
                d.TextDocument()->undo();
                break;
            default:
                what = u"at an end "_s;
                c.movePosition(r.bounded(2) ? QTextCursor::Start : QTextCursor::End);
                c.insertText(Piece(r));
                break;
            }
            const int before = scan.Reports;
            QVERIFY2(scan.Agree(d), qPrintable(what + QString::number(step)));
            QVERIFY(Covers(*d.ScanChunks()));
            QCOMPARE(d.ScanChunks()->Length(), d.Text().size());
            // A small edit of a page read in stretches reads no longer the whole page.
            if (what == u"insert "_s && size > 10000 && d.ScanChunks()->Chunks().size() > 2)
                QCOMPARE(scan.Reports, before);
        }
    }

    // A tag or a title left open just before a stretch's end runs on into the next stretch.
    // An empty text deletes the character before the position instead (often the ">" that
    // closed the stretch's last tag).
    void openEndsAtStretchBoundaries_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("offset"); // from the boundary
        for (const QString& typed : {u"<"_s, u"<title>т"_s, u"<style>.z "_s, u"<a href=\"q"_s,
                                     u">"_s, u"<b>"_s, QString()}) {
            for (int offset : {-1, 0, 1})
                QTest::addRow("%s at %d", qPrintable(typed), offset) << typed << offset;
        }
    }

    void openEndsAtStretchBoundaries() {
        QFETCH(QString, typed);
        QFETCH(int, offset);
        // Lines of links all different: a tag swallowed by one left open shows in the lists.
        QString page;
        for (int i = 0; page.size() < 20000; ++i)
            page += u"<a href=\"u%1.html\">ссылка</a> <img src=\"i%1.gif\">\n"_s.arg(i);
        TDocument d(u"/nonexistent/p.html"_s, page);
        UseSmallStretches(d);
        TScanned scan(d.Path());
        QVERIFY(scan.Agree(d));
        const auto chunks = d.ScanChunks()->Chunks();
        QVERIFY(chunks.size() > 4);
        for (size_t i = 1; i < 5; ++i) {
            QTextCursor c(d.TextDocument());
            c.setPosition(int(d.ScanChunks()->Chunks()[i].Start) + offset);
            if (typed.isEmpty())
                c.deletePreviousChar();
            else
                c.insertText(typed);
            QVERIFY2(scan.Agree(d), "typed");
            d.TextDocument()->undo();
            QVERIFY2(scan.Agree(d), "undone");
        }
    }

    // A first scan reads a large page a piece at a time, and reports each tag once, as a scan
    // of the whole text does; a title or a tag longer than a piece makes the piece grow.
    void largePageIsReadInPieces_data() {
        QTest::addColumn<QString>("middle");
        QTest::newRow("tags only") << QString();
        QTest::newRow("long title") << u"<title>"_s + QString(5000, u'т') + u"</title>"_s;
        QTest::newRow("long tag") << u"<a href=\"long.html\" "_s + QString(9000, u'x') + u">"_s;
        QTest::newRow("no tags for long") << QString(7000, u'z');
        QTest::newRow("left open to the end") << u"<a href=\"open.html\" "_s;
    }

    void largePageIsReadInPieces() {
        QFETCH(QString, middle);
        QRandomGenerator r(21);
        TDocument d(u"/nonexistent/p.html"_s,
                    RandomPage(r, 15000, 1 << 30) + middle + RandomPage(r, 15000, 1 << 30));
        UseSmallStretches(d);
        THTMLParser pieces, whole;
        QList<int> piecesReports, wholeReports;
        QObject::connect(&pieces, &THTMLParser::OnParse, &pieces,
                         [&](QObject*, quint8 p) { piecesReports << p; });
        QObject::connect(&whole, &THTMLParser::OnParse, &whole,
                         [&](QObject*, quint8 p) { wholeReports << p; });
        pieces.ParseSource(d.ScanChunks(), TDocumentText(d.TextDocument()));
        whole.Parse(d.Text());
        QCOMPARE(ScanFields(pieces), ScanFields(whole));
        QCOMPARE(piecesReports, wholeReports);
        QVERIFY(d.ScanChunks()->IsValid());
        QVERIFY(Covers(*d.ScanChunks()));
        // And the stretches it kept serve the next edit.
        QTextCursor(d.TextDocument()).insertText(u"<img src=\"first.gif\">"_s);
        pieces.ParseSource(d.ScanChunks(), TDocumentText(d.TextDocument()));
        whole.Parse(d.Text());
        QCOMPARE(ScanFields(pieces), ScanFields(whole));
    }

    // The text set anew, and a forced whole scan: the stretches are built again.
    void newTextIsReadWhole() {
        TDocument d(u"/nonexistent/p.html"_s, u"<a href=\"a.html\">a</a>"_s);
        TScanned scan(d.Path());
        QVERIFY(scan.Agree(d));
        d.SetText(u"<img src=\"b.gif\">"_s);
        QVERIFY(!d.ScanChunks()->IsValid());
        const int before = scan.Reports;
        QVERIFY(scan.Agree(d));
        QCOMPARE(scan.Reports, before + 1);
        QCOMPARE(scan.Incremental.Images(), QStringList{u"b.gif"_s});
        QVERIFY(scan.Incremental.HyperLinks().isEmpty());
    }

    // A style sheet changed on disk between two scans is read anew, as a whole scan reads it.
    void linkedSheetIsReadAtEveryScan() {
        QTemporaryDir dir;
        const QString css = dir.filePath(u"s.css"_s);
        testutil::WriteBytes(css, ".old {}");
        TDocument d(dir.filePath(u"p.html"_s),
                    u"<link rel=\"stylesheet\" href=\"s.css\">\n<p>текст</p>\n"_s);
        TScanned scan(d.Path());
        QVERIFY(scan.Agree(d));
        QCOMPARE(scan.Incremental.CssClasses(), QStringList{u"old"_s});
        testutil::WriteBytes(css, ".new {}");
        QTextCursor(d.TextDocument()).insertText(u"<b>"_s);
        QVERIFY(scan.Agree(d));
        QCOMPARE(scan.Incremental.CssClasses(), QStringList{u"new"_s});
    }

    // A change made by a handler while the whole text is read leaves no stretches behind that
    // belong to the text before it.
    void changeDuringAWholeScanDropsTheStretches() {
        TDocument d(u"/nonexistent/p.html"_s, u"<a href=\"a.html\">a</a><b>b</b>"_s);
        THTMLParser p;
        bool edited = false;
        QObject::connect(&p, &THTMLParser::OnParse, &p, [&] {
            if (!std::exchange(edited, true))
                QTextCursor(d.TextDocument()).insertText(u"<img src=\"x.gif\">"_s);
        });
        p.ParseSource(d.ScanChunks(), TDocumentText(d.TextDocument()));
        QVERIFY(edited);
        QVERIFY(!d.ScanChunks()->IsValid());
        QCOMPARE(p.HyperLinks(), QStringList{u"a.html"_s}); // the text as it was when read
        p.ParseSource(d.ScanChunks(), TDocumentText(d.TextDocument()));
        QCOMPARE(p.Images(), QStringList{u"x.gif"_s});
    }
};

QTEST_MAIN(TestScanChunks)
#include "tst_scanchunks.moc"
