// The page navigator in the main window: lists, tab names, clicks, class search, scan feedback.
#include "app/platform.h"
#include "html/HTMLParser.h"
#include "html/editingaids.h"
#include "html/navigator.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <utility>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Counts event-loop turns: each delivered event posts the next.
class TLoopCounter : public QObject {
public:
    int Turns = 0;
    bool Running = true;
    TLoopCounter() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (Running && ++Turns < 100000)
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        return true;
    }
};

const QString kAllKinds = u"<html><head><title>Все виды</title>\n"
                          "<style>.menu { color: red } .note {}</style></head><body>\n"
                          "<a name=\"top\"></a>\n"
                          "<a href=\"a.html\">A</a> <a href=\"missing.html\">M</a>\n"
                          "<a href=\"#top\">T</a>\n"
                          "<map><area href=\"a.html\"></map>\n"
                          "<img src=\"Pic.GIF\"> <img src=\"nopic.gif\">\n"
                          "<object classid=\"clsid:ABC\"></object>\n"
                          "<embed src=\"movie.swf\">\n"
                          "<iframe src=\"a.html\"></iframe><frame src=\"nof.html\">\n"
                          "</body></html>\n"_s;

} // namespace

class TestNavigator : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* w = nullptr;

    void OpenPage(const QString& name, const QString& text) { F->Open(F->Page(name, text)); }

    // The rows of the element list as "caption icon".
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < w->Navigator->lvContent->count(); ++i) {
            const QListWidgetItem* item = w->Navigator->lvContent->item(i);
            rows << u"%1 %2"_s.arg(item->text()).arg(item->data(Qt::UserRole).toInt());
        }
        return rows;
    }

    // A click with the mouse, as the user makes it.
    void Click(const QString& caption) {
        const auto found = w->Navigator->lvContent->findItems(caption, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(caption + u" in "_s + Rows().join(u", "_s)));
        w->Navigator->lvContent->scrollToItem(found.first());
        const QRect r = w->Navigator->lvContent->visualItemRect(found.first());
        QTest::mouseClick(w->Navigator->lvContent->viewport(), Qt::LeftButton, {}, r.center());
    }

    // Runs the action at the first progress report of the next scan, once.
    void AtFirstReport(std::function<void()> action) {
        connect(w->HpParser, &THTMLParser::OnParse, w, [action, done = false]() mutable {
            if (!std::exchange(done, true))
                action();
        });
    }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        w = F->W.get();
    }
    void cleanup() { F.reset(); }

    // The caption rule (cut at twenty characters) is pinned in tst_linkvalidate.
    void tabNamedAfterTitle() {
        const QString caption = u"Title-Less.html"_s;
        OpenPage(caption, u"<html><head><meta name=\"author\" content=\"x\"></head></html>\n"_s);
        QCOMPARE(w->tcEditor->tabText(0), caption);
        OpenPage(u"second.html"_s, u"<title>Вторая</title>\n"_s);
        QCOMPARE(w->tcEditor->tabText(1), u"Вторая"_s);
        QCOMPARE(w->tcEditor->tabText(0), caption);
        // An edited title names the tab at the next refresh, not before.
        F->Type(u"x"_s);
        QCOMPARE(w->tcEditor->tabText(1), u"Вторая"_s);
        w->reSource->SetText(u"<title>Новая</title>"_s);
        w->acUpdatePage->trigger();
        QCOMPARE(w->tcEditor->tabText(1), u"Новая"_s);
    }

    void sixButtonsShowTheirLists() {
        F->Page(u"a.html"_s, {});
        F->Page(u"pic.gif"_s, {});
        OpenPage(u"all.html"_s, kAllKinds);
        QVERIFY(w->Navigator->tbPageAnchors->isChecked());
        QCOMPARE(Rows(),
                 (QStringList{u"a.html 50"_s, u"missing.html 61"_s, u"#top 50"_s, u"a.html 50"_s}));
        const QList<QPair<QToolButton*, QStringList>> expected = {
            {w->Navigator->tbPageImages, {u"pic.gif 51"_s, u"nopic.gif 62"_s}},
            {w->Navigator->tbPageObjects, {u"clsid:abc 52"_s}},
            {w->Navigator->tbPageEmbeds, {u"movie.swf 39"_s}},
            {w->Navigator->tbPageFrames, {u"a.html 55"_s, u"nof.html 65"_s}},
            {w->Navigator->tbPageClasses, {u"menu 54"_s, u"note 54"_s}},
        };
        for (const auto& [button, rows] : expected) {
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY2(button->isChecked(), qPrintable(button->objectName()));
            QCOMPARE(Rows(), rows);
        }
        QCOMPARE(w->Navigator->tbPageEmbeds->toolTip(), u"Подключаемые модули Netscape"_s);
        // Refresh goes back to the hyperlinks.
        w->Navigator->sbUpdatePage->click();
        QVERIFY(w->Navigator->tbPageAnchors->isChecked() &&
                !w->Navigator->tbPageClasses->isChecked());
        QCOMPARE(Rows().size(), 4);
        // Selected in the source without regard to case (a reference with its closing quote).
        const auto selects = [this](const QString& caption, const QString& selected) {
            Click(caption);
            QCOMPARE(w->reSource->SelText(), selected);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->reSource));
        };
        selects(u"missing.html"_s, u"missing.html"_s);
        QTest::mouseClick(w->Navigator->tbPageImages, Qt::LeftButton);
        selects(u"pic.gif"_s, u"Pic.GIF\""_s);
        selects(u"nopic.gif"_s, u"nopic.gif"_s);
        QCOMPARE(w->DocumentCount(), 1);
    }

    void brokenMarksFollowTheDiskAndThePagesPlace() {
        const QString target = F->Page(u"sub/x.html"_s, {});
        const QString page = u"<title>Имя</title><a href=\"x.html\">x</a>\n"_s;
        OpenPage(u"p.html"_s, page);
        QCOMPARE(Rows(), QStringList{u"x.html 61"_s});
        // Saved elsewhere: links are now taken relative to the new folder.
        const QString saved = F->Dir.filePath(u"sub/saved.html"_s);
        F->Platform.QueueSave(saved);
        w->acSaveAs->trigger();
        QCOMPARE(w->HpParser->FileName(), saved);
        QCOMPARE(w->tcEditor->tabText(0), u"Имя"_s);
        QCOMPARE(Rows(), QStringList{u"x.html 50"_s});
        // The same links on a page in another folder keep their own marks.
        OpenPage(u"two/p.html"_s, page);
        QCOMPARE(Rows(), QStringList{u"x.html 61"_s});
        w->tcEditor->setCurrentIndex(0);
        QCOMPARE(Rows(), QStringList{u"x.html 50"_s});
        // Validation re-checks the rows without a new scan.
        QVERIFY(QFile::remove(target));
        const quint64 scans = w->HpParser->ScanCount();
        w->acLinkValidate->trigger();
        QCOMPARE(Rows(), QStringList{u"x.html 61"_s});
        QCOMPARE(w->HpParser->ScanCount(), scans);
    }

    void hyperlinkOpensOrSelectsItsPage() {
        // Links are lowercased by the scan; the files keep their capitals.
        const QString other = F->Page(u"Sub/Other.HTML"_s, u"<title>Другая</title>\n"_s);
        F->Page(u"IMG/Pic.GIF"_s, {});
        OpenPage(
            u"p.html"_s,
            u"<a name=\"top\"></a><a href=\"Sub/Other.HTML#news\">o</a>\n"
            "<a href=\"#top\">t</a> <a href=\"javascript:history.back()\">b</a>\n"
            "<frame src=\"sub/other.html\"><a href=\"img/pic.gif\">p</a><a href=\"p.html\">me</a>\n"_s);
        QCOMPARE(Rows(), (QStringList{u"sub/other.html#news 50"_s, u"#top 50"_s,
                                      u"javascript:history.back() 50"_s, u"img/pic.gif 50"_s,
                                      u"p.html 50"_s}));
        Click(u"sub/other.html#news"_s);
        QCOMPARE(w->DocumentCount(), 2);
        QCOMPARE(w->CurrentIndex(), 1);
        QCOMPARE(w->FileNames()[1], other);
        QCOMPARE(w->tcEditor->tabText(1), u"Другая"_s);
        QVERIFY(w->PendingPath.isEmpty());
        // The open tab is selected, not opened again.
        w->tcEditor->setCurrentIndex(0);
        Click(u"sub/other.html#news"_s);
        QCOMPARE(w->DocumentCount(), 2);
        QCOMPARE(w->CurrentIndex(), 1);
        // A picture, "javascript:", an anchor and the page itself do nothing.
        w->tcEditor->setCurrentIndex(0);
        w->reSource->Select(0, 0);
        F->Type(u"edit "_s);
        w->reSource->Select(3, 2);
        for (const QString& row :
             {u"img/pic.gif"_s, u"javascript:history.back()"_s, u"#top"_s, u"p.html"_s})
            Click(row);
        QCOMPARE(w->DocumentCount(), 2);
        QCOMPARE(w->CurrentIndex(), 0);
        QVERIFY(w->reSource->Text().startsWith(u"edit <a name"_s));
        QCOMPARE(w->reSource->SelStart(), 3);
        QCOMPARE(w->reSource->SelLength(), 2);
        QTest::mouseClick(w->Navigator->tbPageFrames, Qt::LeftButton);
        Click(u"sub/other.html"_s);
        QCOMPARE(w->CurrentIndex(), 1);
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void classSearch_data() {
        QTest::addColumn<QString>("sheet"); // holds ".photo"
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("found"); // page, sheet, edited, nowhere, error
        const QString link = u"<link rel=\"stylesheet\" href=\"%1\"><p class=\"photo\">\n"_s;
        QTest::newRow("page's own style first")
            << u"s.css"_s
            << u"<style>\np.x {}\n.photo { color: red }\n</style>\n"_s + link.arg(u"s.css"_s)
            << u"page"_s;
        // An address on the net is passed over.
        QTest::newRow("linked sheet")
            << u"css/site.css"_s
            << link.arg(u"http://example.org/x.css"_s) + link.arg(u"css/site.css"_s) << u"sheet"_s;
        QTest::newRow("capitals on disk")
            << u"Styles/Main.CSS"_s << link.arg(u"styles/main.css"_s) << u"sheet"_s;
        QTest::newRow("open sheet searched in its edits")
            << u"s.css"_s << link.arg(u"s.css"_s) << u"edited"_s;
        // The class is gone from the page since the scan.
        QTest::newRow("nowhere") << u"s.css"_s << u"<style>.photo {}</style>\n"_s << u"nowhere"_s;
        // The missing sheet is reported and the search stops.
        QTest::newRow("unreadable sheet stops the search")
            << u"s.css"_s << link.arg(u"gone.css"_s) + link.arg(u"s.css"_s) << u"error"_s;
    }
    void classSearch() {
        QFETCH(QString, sheet);
        QFETCH(QString, page);
        QFETCH(QString, found);
        const QString sheetText = u"body { margin: 0 }\n.photo { border: 1px }\n"_s;
        const QString sheetPath = F->Page(sheet, sheetText);
        const QString pagePath = F->Page(u"p.html"_s, page);
        QString shown = found == u"page" ? page : sheetText;
        if (found == u"edited") {
            F->Open(sheetPath);
            w->reSource->Select(0, 0);
            F->Type(u"/* new */ "_s);
            shown.prepend(u"/* new */ "_s);
        }
        F->Open(pagePath);
        if (found == u"nowhere")
            w->reSource->SetText(u"<p>text</p>\n"_s);
        QTest::mouseClick(w->Navigator->tbPageClasses, Qt::LeftButton);
        w->reSource->Select(2, 3);
        Click(u"photo"_s);
        const QStringList messages = F->Platform.Messages();
        QCOMPARE(messages.size(), found == u"error" ? 1 : 0);
        QVERIFY2(messages.isEmpty() || messages.constFirst().contains(u"gone.css"_s),
                 qPrintable(messages.join(u", "_s)));
        QVERIFY(w->PendingPath.isEmpty());
        if (found == u"nowhere" || found == u"error") {
            QCOMPARE(w->DocumentCount(), 1);
            QCOMPARE(w->reSource->SelStart(), 2);
            QCOMPARE(w->reSource->SelLength(), 3);
        } else {
            QCOMPARE(w->DocumentCount(), found == u"page" ? 1 : 2);
            QCOMPARE(w->FileNames()[w->CurrentIndex()], found == u"page" ? pagePath : sheetPath);
            QCOMPARE(w->reSource->Text(), shown);
            QCOMPARE(w->reSource->SelStart(), shown.indexOf(u".photo"_s) + 1);
            QCOMPARE(w->reSource->SelText(), u"photo"_s);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->reSource));
        }
        // Sheets are read into a scratch copy that never shows.
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(top == w || !top->isVisible() || qobject_cast<QMenu*>(top),
                     top->metaObject()->className());
    }

    void pipeAsStyleSheetNeverBlocks() {
        const QString pipe = F->Dir.filePath(u"pipe.css"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        F->Page(u"s.css"_s, u".photo {}\n"_s);
        const QString link = u"<link rel=\"stylesheet\" href=\"%1\">"_s;
        OpenPage(u"p.html"_s,
                 link.arg(u"pipe.css"_s) + link.arg(u"s.css"_s) + u"<p class=\"photo\">\n"_s);
        QTest::mouseClick(w->Navigator->tbPageClasses, Qt::LeftButton);
        Click(u"photo"_s);
        // Reported like a sheet that cannot be read; the search stops there.
        const QStringList messages = F->Platform.Messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.constFirst().contains(u"pipe.css"_s), qPrintable(messages.join(u", "_s)));
        QCOMPARE(w->DocumentCount(), 1);
        // Neither a drop nor the open dialog waits on it.
        const QString page = F->Dir.filePath(u"pipe.html"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(page).constData(), 0600), 0);
        F->Platform.Clear();
        w->DropFiles({page});
        QCOMPARE(w->DocumentCount(), 1);
        F->Platform.QueueOpen(TOpenFileResult{page, false});
        w->acOpen->trigger();
        QCOMPARE(F->Platform.Messages().size(), 1);
        QCOMPARE(w->DocumentCount(), 1);
    }

    void scanResultsFollowTheTextRevision() {
        OpenPage(u"p.html"_s, u"<a href=\"a.html\">a</a>\n"_s);
        const quint64 scans = w->HpParser->ScanCount();
        // Unchanged text: the lists of the last scan stand.
        w->ScanShownPage();
        w->EditingAids->FillCompletionList(u"href"_s);
        QCOMPARE(w->HpParser->ScanCount(), scans);
        // Values from a fixed list never scan.
        w->reSource->insertPlainText(u"<p align"_s);
        w->EditingAids->FillCompletionList(u"align"_s);
        QCOMPARE(w->HpParser->ScanCount(), scans);
        // After an edit the old lists are never used.
        w->reSource->insertPlainText(u"><a href=\"b.html\">"_s);
        w->EditingAids->FillCompletionList(u"href"_s);
        QCOMPARE(w->HpParser->ScanCount(), scans + 1);
        QCOMPARE(w->EditingAids->lbCompletion->count(), 2);
        QCOMPARE(w->EditingAids->lbCompletion->item(0)->text(), u"b.html"_s);
        // Nor after a head scan replaced some of them.
        w->HpParser->ParseHead();
        w->EditingAids->FillCompletionList(u"href"_s);
        QCOMPARE(w->HpParser->ScanCount(), scans + 3);
    }

    void switchingBackPutsTheLastScanBack() {
        F->Page(u"x.html"_s, {});
        OpenPage(u"a.html"_s, u"<title>A</title><a href=\"x.html\">x</a>\n"_s);
        OpenPage(u"b.html"_s, u"<title>B</title><a href=\"y.html\">y</a>\n"_s);
        int tags = 0;
        connect(w->HpParser, &THTMLParser::OnParse, w, [&tags] { ++tags; });
        w->tcEditor->setCurrentIndex(0);
        QCOMPARE(tags, 0); // nothing scanned again
        QCOMPARE(Rows(), QStringList{u"x.html 50"_s});
        QCOMPARE(w->tcEditor->tabText(0), u"A"_s);
        // The marks come back as last checked; the refresh looks at the disk again.
        QVERIFY(QFile::remove(F->Dir.filePath(u"x.html"_s)));
        w->tcEditor->setCurrentIndex(1);
        w->tcEditor->setCurrentIndex(0);
        QCOMPARE(Rows(), QStringList{u"x.html 50"_s});
        w->acUpdatePage->trigger();
        QVERIFY(tags > 0);
        QCOMPARE(Rows(), QStringList{u"x.html 61"_s});
        // An edited page is scanned again when shown.
        const quint64 scans = w->HpParser->ScanCount();
        F->Type(u"<a href=\"z.html\">z</a>"_s);
        w->tcEditor->setCurrentIndex(1);
        w->tcEditor->setCurrentIndex(0);
        QVERIFY(w->HpParser->ScanCount() > scans);
        QCOMPARE(w->HpParser->HyperLinks(), (QStringList{u"z.html"_s, u"x.html"_s}));
        QCOMPARE(w->Navigator->lvContent->count(), 2);
    }

    void manyInPageLinksAreChecked() {
        // 40,000 "#" links, half of them to anchors that exist.
        QString page;
        for (int i = 0; i < 20000; ++i)
            page += u"<a name=\"n%1\"></a>"_s.arg(i);
        for (int i = 0; i < 40000; ++i)
            page += u"<a href=\"#n%1\">x</a>\n"_s.arg(i);
        OpenPage(u"p.html"_s, page);
        QCOMPARE(w->Navigator->lvContent->count(), 40000);
        for (int i = 0; i < 40000; ++i) {
            if (w->Navigator->lvContent->item(i)->data(Qt::UserRole).toInt() !=
                (i < 20000 ? 50 : 61))
                QFAIL(qPrintable(w->Navigator->lvContent->item(i)->text()));
        }
    }

    // The marks of a check reach the view, which is told of them in one notice rather than a
    // notice a row (on a page of thousands of broken links the notices cost more than the check).
    void brokenMarksReachTheViewAtOnce() {
        QSignalSpy told(w->Navigator->lvContent->model(), &QAbstractItemModel::dataChanged);
        QString page;
        for (int i = 0; i < 60; ++i)
            page += u"<a href=\"%1.html\">x</a>\n"_s.arg(i % 3 ? u"missing"_s + QString::number(i)
                                                               : u"p"_s);
        OpenPage(u"p.html"_s, page);
        int broken = 0;
        for (int row = 0; row < w->Navigator->lvContent->count(); ++row) {
            if (w->Navigator->lvContent->item(row)->data(Qt::UserRole).toInt() != 61)
                continue;
            ++broken;
            bool covered = false;
            for (const QList<QVariant>& notice : std::as_const(told))
                covered = covered || (notice[0].toModelIndex().row() <= row &&
                                      row <= notice[1].toModelIndex().row());
            QVERIFY2(covered, qPrintable(QString::number(row)));
        }
        QCOMPARE(broken, 40);
        QVERIFY2(told.count() < 5, qPrintable(QString::number(told.count())));
    }

    void popupEnabling() {
        int shown = 0;
        w->Navigator->ShowClassEditor = [&shown] { ++shown; };
        OpenPage(u"p.html"_s, u"<style>.a {}</style>\n"_s);
        w->Navigator->pmAddClassPopup();
        QVERIFY(!w->miAddCSSClass->isEnabled());
        QTest::mouseClick(w->Navigator->tbPageClasses, Qt::LeftButton);
        w->Navigator->pmAddClassPopup();
        QVERIFY(w->miAddCSSClass->isEnabled());
        QCOMPARE(w->miAddCSSClass->text(), u"Определить класс CSS"_s);
        w->miAddCSSClass->trigger();
        QCOMPARE(shown, 1);
        // No document: an empty list, the item disabled, the button still down.
        w->CloseAllDocuments();
        QCOMPARE(w->Navigator->lvContent->count(), 0);
        QVERIFY(w->Navigator->tbPageClasses->isChecked());
        w->Navigator->pmAddClassPopup();
        QVERIFY(!w->miAddCSSClass->isEnabled());
    }

    void scanFeedback_data() {
        QTest::addColumn<int>("tags");
        QTest::addColumn<int>("nsPerTag");
        QTest::addColumn<int>("minTurns");
        QTest::addColumn<int>("maxTurns");
        // A slow handler stands in for a large page: messages at most once per percent.
        QTest::newRow("long scan") << 2000 << 300'000 << 3 << 202;
        QTest::newRow("short scan is not interrupted") << 4 << 0 << 0 << 0;
    }
    void scanFeedback() {
        QFETCH(int, tags);
        QFETCH(int, nsPerTag);
        QFETCH(int, minTurns);
        QFETCH(int, maxTurns);
        QString page;
        for (int i = 0; i < tags / 2; ++i)
            page += u"<b>%1</b>"_s.arg(i % 10);
        OpenPage(u"p.html"_s, page);
        int seen = 0;
        QStringList problems;
        // Runs after the window's own handler.
        connect(w->HpParser, &THTMLParser::OnParse, w, [&](QObject*, quint8 percent) {
            ++seen;
            if (w->StatusText(0) != u"Анализ файла"_s || !w->Navigator->pbParse->isVisible() ||
                w->Navigator->pbParse->value() != percent)
                problems << u"%1%: %2"_s.arg(percent).arg(w->StatusText(0));
            QElapsedTimer t;
            t.start();
            while (t.nsecsElapsed() < nsPerTag) {
            }
        });
        TLoopCounter counter;
        w->acUpdatePage->trigger();
        counter.Running = false;
        QCOMPARE(seen, tags);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        QVERIFY2(counter.Turns >= minTurns && counter.Turns <= maxTurns,
                 qPrintable(QString::number(counter.Turns)));
        QVERIFY(!w->Navigator->pbParse->isVisible());
        QCOMPARE(w->StatusText(0), QString());
    }

    // Typing while a long scan lets the window work: the lists of that scan are not taken for
    // the text as typed, and the next request scans again.
    void editDuringAScanLeavesItsListsStale() {
        OpenPage(u"p.html"_s, u"<a href=\"x.html\">1</a><p>2</p>\n"_s);
        bool typed = false;
        AtFirstReport([&] {
            typed = true;
            w->reSource->Select(0, 0);
            w->reSource->ReplaceSelection(u"<a href=\"typed.html\">"_s);
        });
        w->acUpdatePage->trigger();
        QVERIFY(typed);
        QCOMPARE(w->HpParser->HyperLinks(), QStringList{u"x.html"_s});
        w->ScanShownPage();
        QCOMPARE(w->HpParser->HyperLinks(), (QStringList{u"typed.html"_s, u"x.html"_s}));
    }

    void scanRequestedDuringScanIsIgnored() {
        OpenPage(u"p.html"_s, u"<title>Т</title><a href=\"x.html\">1</a><p>2</p>\n"_s);
        int starts = 0;
        bool asked = false;
        connect(w->HpParser, &THTMLParser::OnBeforeParse, w, [&] { ++starts; });
        AtFirstReport([&] {
            asked = true;
            w->acUpdatePage->trigger();
            w->HpParser->ParseHead();
        });
        w->acUpdatePage->trigger();
        QCoreApplication::processEvents();
        QVERIFY(asked);
        QCOMPARE(starts, 1);
        QCOMPARE(Rows(), QStringList{u"x.html 61"_s});
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void tabSwitchDuringScanNamesTheRightTab() {
        OpenPage(u"a.html"_s, u"<title>Страница А</title><a href=\"a1.html\">1</a>\n"_s);
        OpenPage(u"b.html"_s, u"<title>Страница Б</title><a href=\"b1.html\">1</a>\n"_s);
        bool switched = false;
        AtFirstReport([&] {
            switched = true;
            w->tcEditor->setCurrentIndex(0);
        });
        w->acUpdatePage->trigger();
        QVERIFY(switched);
        QCoreApplication::processEvents();
        QCOMPARE(w->CurrentIndex(), 0);
        QCOMPARE(w->tcEditor->tabText(0), u"Страница А"_s);
        QCOMPARE(w->tcEditor->tabText(1), u"Страница Б"_s);
        QCOMPARE(Rows(), QStringList{u"a1.html 61"_s});
        QCOMPARE(w->HpParser->PageTitle(), u"Страница А"_s);
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
