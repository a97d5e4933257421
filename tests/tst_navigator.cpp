// The page navigator in the main window: the list of each kind, the tab named after the title,
// clicks on entries, the class search, broken marks, the scan's feedback and its re-entrancy.
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The rows of the element list as "caption icon".
QStringList Rows(const TfrmMain& w) {
    QStringList rows;
    for (int i = 0; i < w.lvContent->count(); ++i) {
        const QListWidgetItem* item = w.lvContent->item(i);
        rows << u"%1 %2"_s.arg(item->text()).arg(item->data(Qt::UserRole).toInt());
    }
    return rows;
}

int RowOf(const TfrmMain& w, const QString& caption) {
    for (int i = 0; i < w.lvContent->count(); ++i)
        if (w.lvContent->item(i)->text() == caption)
            return i;
    return -1;
}

// A click with the mouse, as the user makes it.
void ClickRow(TfrmMain& w, const QString& caption) {
    const int row = RowOf(w, caption);
    QVERIFY2(row >= 0, qPrintable(caption));
    QListWidgetItem* item = w.lvContent->item(row);
    w.lvContent->scrollToItem(item);
    const QRect r = w.lvContent->visualItemRect(item);
    QTest::mouseClick(w.lvContent->viewport(), Qt::LeftButton, {}, r.center());
}

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    testutil::WriteBytes(path, "x\r\n");
}

// Counts the turns of the event loop: each turn delivers its one pending event, which posts
// the next.
class TLoopCounter : public QObject {
public:
    int Turns = 0;
    bool Running = false;
    void Start() {
        Running = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
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
                          "<img src=\"pic.gif\"> <img src=\"nopic.gif\">\n"
                          "<object classid=\"clsid:ABC\"></object>\n"
                          "<embed src=\"movie.swf\">\n"
                          "<iframe src=\"a.html\"></iframe><frame src=\"nof.html\">\n"
                          "</body></html>\n"_s;

} // namespace

class TestNavigator : public QObject {
    Q_OBJECT

private slots:
    void tabNamedAfterTitle_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("caption");
        QTest::newRow("twenty characters")
            << u"<title>Двадцать символов!!!</title>"_s << u"Двадцать символов!!!"_s;
        QTest::newRow("twenty-one characters")
            << u"<title>Двадцать один символ!</title>"_s << u"Двадцать один символ..."_s;
        QTest::newRow("no title") << u"<meta name=\"author\" content=\"x\">"_s
                                  << u"Title-Less.html"_s;
        QTest::newRow("empty title") << u"<title></title>"_s << u"Title-Less.html"_s;
    }
    void tabNamedAfterTitle() {
        QFETCH(QString, head);
        QFETCH(QString, caption);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"Title-Less.html"_s, u"<html><head>"_s + head + u"</head></html>\n"_s));
        QCOMPARE(w.tcEditor->tabText(0), caption);
        // A second page is named after its own title; the first keeps its name.
        f.Open(f.Page(u"second.html"_s, u"<title>Вторая</title>\n"_s));
        QCOMPARE(w.tcEditor->tabText(1), u"Вторая"_s);
        QCOMPARE(w.tcEditor->tabText(0), caption);
        // An edited title names the tab at the next refresh, not before.
        f.Type(u"x"_s);
        QCOMPARE(w.tcEditor->tabText(1), u"Вторая"_s);
        w.reSource->SetText(u"<title>Новая</title>"_s);
        w.acUpdatePage->trigger();
        QCOMPARE(w.tcEditor->tabText(1), u"Новая"_s);
    }

    void sixButtonsShowTheirLists() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        Touch(f.Dir.filePath(u"a.html"_s));
        Touch(f.Dir.filePath(u"pic.gif"_s));
        f.Open(f.Page(u"all.html"_s, kAllKinds));
        QVERIFY(w.tbPageAnchors->isChecked());
        QCOMPARE(Rows(w),
                 (QStringList{u"a.html 50"_s, u"missing.html 61"_s, u"#top 50"_s, u"a.html 50"_s}));
        const QList<QPair<QToolButton*, QStringList>> expected = {
            {w.tbPageImages, {u"pic.gif 51"_s, u"nopic.gif 62"_s}},
            {w.tbPageObjects, {u"clsid:abc 52"_s}},
            {w.tbPageEmbeds, {u"movie.swf 39"_s}},
            {w.tbPageFrames, {u"a.html 55"_s, u"nof.html 65"_s}},
            {w.tbPageClasses, {u"menu 54"_s, u"note 54"_s}},
        };
        for (const auto& [button, rows] : expected) {
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY2(button->isChecked(), qPrintable(button->objectName()));
            QCOMPARE(Rows(w), rows);
            int down = 0;
            for (QToolButton* b : {w.tbPageAnchors, w.tbPageImages, w.tbPageObjects, w.tbPageEmbeds,
                                   w.tbPageFrames, w.tbPageClasses})
                down += b->isChecked() ? 1 : 0;
            QCOMPARE(down, 1);
        }
        int kinds = 0;
        for (QToolButton* b : w.tbrLinksMenu->findChildren<QToolButton*>())
            kinds += b->property("Kind").isValid() ? 1 : 0;
        QCOMPARE(kinds, 6);
        QCOMPARE(w.tbPageEmbeds->toolTip(), u"Подключаемые модули Netscape"_s);
        // Refresh shows the hyperlinks again, whatever button was down.
        w.acUpdatePage->trigger();
        QVERIFY(w.tbPageAnchors->isChecked() && !w.tbPageClasses->isChecked());
        QCOMPARE(Rows(w).size(), 4);
        QCOMPARE(w.sbUpdatePage->defaultAction(), w.acUpdatePage);
    }

    void brokenMarksFollowTheDisk() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString target = f.Dir.filePath(u"next.html"_s);
        Touch(target);
        f.Open(f.Page(u"p.html"_s, u"<a href=\"next.html\">n</a>\n"_s));
        QCOMPARE(Rows(w), QStringList{u"next.html 50"_s});
        QVERIFY(QFile::remove(target));
        w.acUpdatePage->trigger();
        QCOMPARE(Rows(w), QStringList{u"next.html 61"_s});
        // The validation command checks the rows again without refilling the list.
        Touch(target);
        w.acLinkValidate->trigger();
        QCOMPARE(Rows(w), QStringList{u"next.html 50"_s});
    }

    void sampleSiteMarksItsBrokenLink() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        QCOMPARE(w.tcEditor->tabText(0), u"Клуб любителей фотог..."_s);
        QCOMPARE(Rows(w), (QStringList{u"about.html 50"_s, u"gallery/index.html 50"_s,
                                       u"contacts.html 50"_s, u"news.html 61"_s,
                                       u"mailto:info@fotoklub.example 50"_s, u"#top 50"_s}));
        QTest::mouseClick(w.tbPageImages, Qt::LeftButton);
        QCOMPARE(Rows(w), (QStringList{u"images/logo.jpg 51"_s, u"images/banner.png 51"_s}));
    }

    void letterCaseOnDisk() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString target = f.Page(u"Sub/Page.HTML"_s, u"<title>Цель</title>\n"_s);
        Touch(f.Dir.filePath(u"IMG/Logo.PNG"_s));
        f.Open(f.Page(u"Index.html"_s,
                      u"<a href=\"Sub/Page.HTML\">x</a><img src=\"img/logo.png\">\n"_s));
        QCOMPARE(Rows(w), QStringList{u"sub/page.html 50"_s});
        QTest::mouseClick(w.tbPageImages, Qt::LeftButton);
        QCOMPARE(Rows(w), QStringList{u"img/logo.png 51"_s});
        QTest::mouseClick(w.tbPageAnchors, Qt::LeftButton);
        ClickRow(w, u"sub/page.html"_s);
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 1);
        QCOMPARE(w.FileNames[1], target);
        QCOMPARE(w.tcEditor->tabText(1), u"Цель"_s);
        QVERIFY(w.PendingPath.isEmpty());
    }

    void hyperlinkOpensOrSelectsItsPage() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Page(u"other.html"_s, u"<title>Другая</title>\n"_s);
        f.Open(f.Page(u"p.html"_s, u"<a href=\"other.html#part\">o</a> <a href=\"#\">x</a>\n"
                                   "<a href=\"javascript:history.back()\">b</a>\n"
                                   "<frame src=\"other.html\"><a href=\"pic.gif\">p</a>\n"_s));
        Touch(f.Dir.filePath(u"pic.gif"_s));
        w.acUpdatePage->trigger();
        QCOMPARE(Rows(w), (QStringList{u"other.html#part 50"_s, u"# 61"_s,
                                       u"javascript:history.back() 50"_s, u"pic.gif 50"_s}));
        ClickRow(w, u"other.html#part"_s);
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 1);
        QCOMPARE(w.reSource->Text(), u"<title>Другая</title>\n"_s);
        // Back on the first page: the link selects the open tab, nothing is read again.
        w.tcEditor->setCurrentIndex(0);
        ClickRow(w, u"other.html#part"_s);
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 1);
        w.tcEditor->setCurrentIndex(0);
        // A link to a picture, a "javascript:" link and an unknown anchor open nothing; the
        // broken anchor is selected in the source.
        w.reSource->Select(0, 0);
        ClickRow(w, u"pic.gif"_s);
        ClickRow(w, u"javascript:history.back()"_s);
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 0);
        QCOMPARE(w.reSource->SelLength(), 0);
        // Frames open their page too.
        QTest::mouseClick(w.tbPageFrames, Qt::LeftButton);
        ClickRow(w, u"other.html"_s);
        QCOMPARE(w.CurrentIndex(), 1);
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void selfLinkKeepsEdits() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"p.html"_s, u"<a href=\"p.html\">me</a>\n"_s));
        w.reSource->Select(0, 0);
        f.Type(u"edit "_s);
        ClickRow(w, u"p.html"_s);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->Text(), u"edit <a href=\"p.html\">me</a>\n"_s);
    }

    void anchorLinkDoesNothing() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"p.html"_s, u"<a name=\"top\"></a><a href=\"#top\">up</a>\n"_s));
        QCOMPARE(Rows(w), QStringList{u"#top 50"_s});
        w.reSource->Select(3, 2);
        ClickRow(w, u"#top"_s);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->SelStart(), 3);
        QCOMPARE(w.reSource->SelLength(), 2);
    }

    void referencesSelectedInSource_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("selected");
        QTest::newRow("image: name and quote")
            << u"tbPageImages"_s << u"pic.gif"_s << u"Pic.GIF\""_s;
        QTest::newRow("object: name and quote")
            << u"tbPageObjects"_s << u"clsid:abc"_s << u"clsid:ABC\""_s;
        QTest::newRow("broken image: name only")
            << u"tbPageImages"_s << u"nopic.gif"_s << u"nopic.gif"_s;
        QTest::newRow("broken hyperlink: name only")
            << u"tbPageAnchors"_s << u"missing.html"_s << u"missing.html"_s;
        QTest::newRow("broken embed: name only")
            << u"tbPageEmbeds"_s << u"movie.swf"_s << u"movie.swf"_s;
        QTest::newRow("broken frame: name only")
            << u"tbPageFrames"_s << u"nof.html"_s << u"nof.html"_s;
    }
    void referencesSelectedInSource() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, selected);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        Touch(f.Dir.filePath(u"pic.gif"_s));
        f.Open(f.Page(u"all.html"_s,
                      QString(kAllKinds).replace(u"pic.gif\"> <img"_s, u"Pic.GIF\"> <img"_s)));
        QTest::mouseClick(w.findChild<QToolButton*>(button), Qt::LeftButton);
        ClickRow(w, caption);
        QCOMPARE(w.reSource->SelText(), selected);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.reSource));
    }

    void classFoundInPage() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString text = u"<style>\np.x {}\n.Menu { color: red }\n</style>\n"_s;
        f.Open(f.Page(u"p.html"_s, text));
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        QCOMPARE(Rows(w), (QStringList{u"x 54"_s, u"Menu 54"_s}));
        ClickRow(w, u"Menu"_s);
        QCOMPARE(w.reSource->SelStart(), text.indexOf(u".Menu"_s) + 1);
        QCOMPARE(w.reSource->SelText(), u"Menu"_s);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.reSource));
    }

    void classFoundInLinkedSheet_data() {
        QTest::addColumn<QString>("sheetOnDisk");
        QTest::addColumn<QString>("link");
        QTest::newRow("same case") << u"css/site.css"_s << u"css/site.css"_s;
        QTest::newRow("capitals on disk") << u"Styles/Main.CSS"_s << u"styles/main.css"_s;
    }
    void classFoundInLinkedSheet() {
        QFETCH(QString, sheetOnDisk);
        QFETCH(QString, link);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString sheetText = u"body { margin: 0 }\n.photo { border: 1px }\n"_s;
        const QString sheet = f.Page(sheetOnDisk, sheetText);
        // An address on the net comes first: it is no file and is passed over.
        f.Open(f.Page(u"p.html"_s, u"<link rel=\"stylesheet\" href=\"http://example.org/x.css\">\n"
                                   "<link rel=\"stylesheet\" href=\""_s +
                                       link + u"\">\n<p class=\"photo\">x</p>\n"_s));
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        QVERIFY2(RowOf(w, u"photo"_s) >= 0, qPrintable(Rows(w).join(u", "_s)));
        ClickRow(w, u"photo"_s);
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 1);
        QCOMPARE(w.FileNames[1], sheet);
        QCOMPARE(w.reSource->SelStart(), sheetText.indexOf(u".photo"_s) + 1);
        QCOMPARE(w.reSource->SelText(), u"photo"_s);
        QVERIFY(w.PendingPath.isEmpty());
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void classInOpenEditedSheetFoundInItsEdits() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString sheet = f.Page(u"s.css"_s, u".photo {}\n"_s);
        const QString page =
            f.Page(u"p.html"_s, u"<link rel=\"stylesheet\" href=\"s.css\"><p class=\"photo\">\n"_s);
        f.Open(sheet);
        w.reSource->Select(0, 0);
        f.Type(u"/* new */ "_s);
        f.Open(page);
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        ClickRow(w, u"photo"_s);
        QCOMPARE(w.CurrentIndex(), 0);
        QCOMPARE(w.reSource->Text(), u"/* new */ .photo {}\n"_s);
        QCOMPARE(w.reSource->SelText(), u"photo"_s);
    }

    void classSearchStopsAtUnreadableSheet() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Page(u"real.css"_s, u".photo {}\n"_s);
        f.Open(f.Page(u"p.html"_s, u"<link rel=\"stylesheet\" href=\"gone.css\">\n"
                                   "<link rel=\"stylesheet\" href=\"real.css\">\n"_s));
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        ClickRow(w, u"photo"_s);
        // The system's message about the missing sheet; the search goes no further.
        QCOMPARE(f.Platform.Messages().size(), 1);
        QVERIFY2(f.Platform.Messages().constFirst().contains(u"gone.css"_s),
                 qPrintable(f.Platform.Messages().constFirst()));
        QCOMPARE(w.DocumentCount(), 1);
        QVERIFY(w.PendingPath.isEmpty());
        // Only the scratch copy was read: no window appeared for it.
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(top == &w || !top->isVisible() || qobject_cast<QMenu*>(top),
                     top->metaObject()->className());
    }

    void classNowhereSelectsNothing() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Page(u"s.css"_s, u".other {}\n"_s);
        f.Open(f.Page(u"p.html"_s, u"<style>.only {}</style><link href=\"s.css\">\n"_s));
        // The class list still names a class that the page no longer holds.
        w.reSource->SetText(u"<link href=\"s.css\">\n"_s);
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        w.reSource->Select(2, 3);
        ClickRow(w, u"only"_s);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->SelStart(), 2);
        QCOMPARE(w.reSource->SelLength(), 3);
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void popupEnabling() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        int shown = 0;
        w.ShowClassEditor = [&shown] { ++shown; };
        w.pmAddClassPopup();
        QVERIFY(!w.miAddCSSClass->isEnabled());
        f.Open(f.Page(u"p.html"_s, u"<style>.a {}</style>\n"_s));
        w.pmAddClassPopup();
        QVERIFY(!w.miAddCSSClass->isEnabled());
        QTest::mouseClick(w.tbPageClasses, Qt::LeftButton);
        w.pmAddClassPopup();
        QVERIFY(w.miAddCSSClass->isEnabled());
        QCOMPARE(w.miAddCSSClass->text(), u"Определить класс CSS"_s);
        w.miAddCSSClass->trigger();
        QCOMPARE(shown, 1);
        // No document: the list empties and the item is disabled again.
        w.CloseAllDocuments();
        QCOMPARE(w.lvContent->count(), 0);
        w.pmAddClassPopup();
        QVERIFY(!w.miAddCSSClass->isEnabled());
    }

    void scanShowsProgress() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QString page;
        for (int i = 0; i < 300; ++i)
            page += u"<p>%1</p>\n"_s.arg(i);
        f.Open(f.Page(u"p.html"_s, page));
        QStringList problems;
        QList<int> seen;
        // Connected after the window's own handler, so it sees what that handler left.
        connect(w.HpParser, &THTMLParser::OnParse, &w, [&](QObject*, quint8 percent) {
            if (w.StatusText(0) != u"Анализ файла"_s)
                problems << u"status %1"_s.arg(w.StatusText(0));
            if (!w.pbParse->isVisible() || w.pbParse->value() != percent)
                problems << u"indicator at %1"_s.arg(percent);
            seen << percent;
        });
        w.acUpdatePage->trigger();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        QCOMPARE(seen.constFirst(), 0);
        QVERIFY(seen.constLast() >= 99);
        QCOMPARE(w.pbParse->x(), 352);
        QCOMPARE(w.pbParse->height(), 15);
        QVERIFY(w.pbParse->isTextVisible());
        QVERIFY(!w.pbParse->isVisible());
        QCOMPARE(w.StatusText(0), QString());
    }

    void messagesProcessedAtMostOncePerPercent() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QString page;
        for (int i = 0; i < 1000; ++i)
            page += u"<b>%1</b>"_s.arg(i % 10);
        f.Open(f.Page(u"big.html"_s, page));
        TLoopCounter counter;
        int tags = 0;
        // A slow handler stands in for a page large enough for the user to notice the scan.
        connect(w.HpParser, &THTMLParser::OnParse, &w, [&](QObject*, quint8) {
            ++tags;
            QElapsedTimer t;
            t.start();
            while (t.nsecsElapsed() < 300'000) {
            }
        });
        counter.Start();
        w.acUpdatePage->trigger();
        counter.Running = false;
        QCOMPARE(tags, 2000);
        // Messages are processed while a long scan runs, never per tag, at most once per
        // percent.
        QVERIFY2(counter.Turns >= 3 && counter.Turns <= 202,
                 qPrintable(QString::number(counter.Turns)));
    }

    void shortScanIsNotInterrupted() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"p.html"_s, u"<b>1</b><i>2</i>\n"_s));
        TLoopCounter counter;
        counter.Start();
        w.acUpdatePage->trigger();
        counter.Running = false;
        QCOMPARE(counter.Turns, 0);
    }

    void scanRequestedDuringScanIsIgnored() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"p.html"_s, u"<title>Т</title><a href=\"x.html\">1</a><p>2</p>\n"_s));
        int starts = 0;
        bool asked = false;
        connect(w.HpParser, &THTMLParser::OnBeforeParse, &w, [&] { ++starts; });
        connect(w.HpParser, &THTMLParser::OnParse, &w, [&] {
            if (asked)
                return;
            asked = true;
            w.acUpdatePage->trigger();
            w.HpParser->ParseHead();
        });
        w.acUpdatePage->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(starts, 1);
        QCOMPARE(Rows(w), QStringList{u"x.html 61"_s});
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void tabSwitchDuringScanNamesTheRightTab() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"<title>Страница А</title><a href=\"a1.html\">1</a>\n"_s));
        f.Open(f.Page(u"b.html"_s, u"<title>Страница Б</title><a href=\"b1.html\">1</a>\n"_s));
        bool switched = false;
        connect(w.HpParser, &THTMLParser::OnParse, &w, [&] {
            if (switched)
                return;
            switched = true;
            // The user picks the other tab while the scan lets messages through.
            w.tcEditor->setCurrentIndex(0);
        });
        w.acUpdatePage->trigger();
        QVERIFY(switched);
        QCoreApplication::processEvents();
        QCOMPARE(w.CurrentIndex(), 0);
        QCOMPARE(w.tcEditor->tabText(0), u"Страница А"_s);
        QCOMPARE(w.tcEditor->tabText(1), u"Страница Б"_s);
        QCOMPARE(Rows(w), QStringList{u"a1.html 61"_s});
        QCOMPARE(w.HpParser->PageTitle(), u"Страница А"_s);
    }

    void saveAsScansTheSavedFile() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        Touch(f.Dir.filePath(u"sub/x.html"_s));
        f.Open(f.Page(u"p.html"_s, u"<title>Имя</title><a href=\"x.html\">x</a>\n"_s));
        QCOMPARE(Rows(w), QStringList{u"x.html 61"_s});
        const QString target = f.Dir.filePath(u"sub/saved.html"_s);
        f.Platform.QueueSave(target);
        w.acSaveAs->trigger();
        QCOMPARE(w.HpParser->FileName(), target);
        QCOMPARE(w.tcEditor->tabText(0), u"Имя"_s);
        // Links are now taken relative to the new folder.
        QCOMPARE(Rows(w), QStringList{u"x.html 50"_s});
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
