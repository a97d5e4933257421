#include "html/HTMLParser.h"

#include "support/testutil.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The twelve lists, then the five texts as lists of one (none if empty).
enum { Links, Applets, Areas, Anchors, Classes, Embeds };
enum { Forms = 6, Frames, Images, Objects, Scripts, Sheets };
enum { Title = 12, Generator, Author, Keywords, Description, FieldCount };
using TFields = QList<QStringList>;

QStringList Text(const QString& s) {
    return s.isEmpty() ? QStringList() : QStringList{s};
}

TFields FieldsOf(const THTMLParser& p) {
    return {p.HyperLinks(),       p.Applets(),         p.AreaLinks(),    p.AnchorNames(),
            p.CssClasses(),       p.Embeds(),          p.FormNames(),    p.Frames(),
            p.Images(),           p.Objects(),         p.Scripts(),      p.StyleSheets(),
            Text(p.PageTitle()),  Text(p.Generator()), Text(p.Author()), Text(p.Keywords()),
            Text(p.Description())};
}

// Records the scanner's events in order: "before", each progress value, "after".
struct TEventLog {
    QStringList Events;
    QList<int> Progress;
    explicit TEventLog(THTMLParser& p) {
        QObject::connect(&p, &THTMLParser::OnBeforeParse, &p,
                         [this](QObject*) { Events << u"before"_s; });
        QObject::connect(&p, &THTMLParser::OnAfterParse, &p,
                         [this](QObject*) { Events << u"after"_s; });
        QObject::connect(&p, &THTMLParser::OnParse, &p, [this](QObject*, quint8 percent) {
            Events << u"parse"_s;
            Progress << percent;
        });
    }
};

// The scan done the slow, literal way, cutting the text tag by tag: the scanner must agree.
QString TrimCtl(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString LiteralAttr(QString tag, const QString& name) {
    tag.replace(u" ="_s, u"="_s).replace(u"= "_s, u"="_s);
    while (!tag.isEmpty() && tag.back().unicode() <= 32)
        tag.chop(1);
    if (tag.endsWith(u'/'))
        tag.chop(1);
    tag = u' ' + tag + u' ';
    const qsizetype at = tag.indexOf(u' ' + name + u'=');
    if (at < 0)
        return {};
    tag.remove(0, at + name.size() + 2);
    const QChar q = tag[0];
    if (q != u'"' && q != u'\'')
        return TrimCtl(tag.left(tag.indexOf(u' ')));
    const qsizetype end = tag.indexOf(QString(q) + u' ');
    return end <= 0 ? QString() : TrimCtl(tag.mid(1, end - 1));
}

void LiteralClasses(QString style, QStringList& out) {
    for (qsizetype dot; (dot = style.indexOf(u'.')) >= 0;) {
        style.remove(0, dot + 1);
        qsizetype end = 0;
        while (end < style.size() && !QStringView(u"\t\n\r {").contains(style[end]))
            ++end;
        out << style.left(end);
        style.remove(0, end + 1);
    }
}

TFields LiteralScan(QString rest, bool light, QList<int>& progress) {
    static const std::tuple<QString, int, QString> Simple[] = {
        {u"a"_s, Links, u"href"_s},          {u"a"_s, Anchors, u"name"_s},
        {u"applet"_s, Applets, u"code"_s},   {u"area"_s, Areas, u"href"_s},
        {u"embed"_s, Embeds, u"src"_s},      {u"form"_s, Forms, u"name"_s},
        {u"frame"_s, Frames, u"src"_s},      {u"iframe"_s, Frames, u"src"_s},
        {u"img"_s, Images, u"src"_s},        {u"script"_s, Scripts, u"src"_s},
        {u"object"_s, Objects, u"classid"_s}};
    static const QStringList MetaKeys = {u"generator"_s, u"author"_s, u"keywords"_s,
                                         u"description"_s};
    TFields r(FieldCount);
    const auto upToTag = [&] { return rest.left(rest.indexOf(u'<')); };
    const qint64 total = rest.size();
    while (rest.contains(u'<') && rest.indexOf(u'>', rest.indexOf(u'<')) >= 0) {
        progress << int(100 - qint64(rest.size()) * 100 / total);
        rest.remove(0, rest.indexOf(u'<'));
        QString tag = rest.left(rest.indexOf(u'>') + 1).toLower();
        rest.remove(0, tag.size());
        tag = TrimCtl(tag.mid(1, tag.size() - 2));
        tag.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
        QString name = TrimCtl(tag) + u' ';
        name.truncate(std::min(name.indexOf(u' '),
                               name.indexOf(u'/') < 0 ? name.size() : name.indexOf(u'/')));
        if (light && name == u"body")
            break;
        if (name == u"title")
            r[Title] = Text(upToTag().replace(u'\n', u' ').replace(u'\r', u' '));
        if (name == u"style")
            LiteralClasses(upToTag(), r[Classes]);
        if (name == u"link" && !LiteralAttr(tag, u"href"_s).isEmpty())
            r[Sheets] << LiteralAttr(tag, u"href"_s);
        for (const auto& [tagName, field, attr] : Simple) {
            const QString v = name == tagName ? LiteralAttr(tag, attr) : QString();
            if (!v.isEmpty() && !r[field].contains(v))
                r[field] << v;
        }
        if (name == u"script" && rest.contains(u'<'))
            rest.remove(0, rest.indexOf(u'<'));
        if (name == u"meta") {
            const QString equiv = LiteralAttr(tag, u"http-equiv"_s);
            const QString key = equiv.isEmpty() ? LiteralAttr(tag, u"name"_s) : equiv;
            if (MetaKeys.contains(key))
                r[Generator + MetaKeys.indexOf(key)] = Text(LiteralAttr(tag, u"content"_s));
        }
    }
    return r;
}

} // namespace

class TestHtmlParser : public QObject {
    Q_OBJECT

private slots:
    void Results_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QString& html, int field,
                            const QStringList& expected) {
            QTest::newRow(name) << html << field << expected;
        };
        row("capitals and apostrophes give one entry",
            u"<A HREF=\"Page.HTML\">x</A> <a href='page.html'>y</a>"_s, Links, {u"page.html"_s});
        row("two blanks before = hide the value", u"<a href  =\"x.html\">"_s, Links, {});
        row("blank and = inside a value collapse", u"<a href=\"a = b.html\">"_s, Links,
            {u"a=b.html"_s});
        row("unclosed quote gives nothing", u"<a href=\"x.html>"_s, Links, {});
        row("final slash dropped from an unquoted value", u"<a href=dir/>"_s, Links, {u"dir"_s});
        row("first > ends the tag", u"<a title=\"1>0\" href=\"x.html\">"_s, Links, {});
        row("Cyrillic and Yo lowercased", u"<a href=\"Страница-ЁЖ.HTML\">"_s, Links,
            {u"страница-ёж.html"_s});
        row("unterminated tag ends the scan", u"<a href=x.html><img src=y.gif <a href=z.html"_s,
            Links, {u"x.html"_s});
        row("closing quote glued to the next attribute", u"<img src=\"a.gif\"alt=\"b\">"_s, Images,
            {u"a.gif\"alt=\"b"_s});
        row("match inside an earlier quoted value",
            u"<img alt=\"see src=fake.gif\" src=\"real.gif\">"_s, Images, {u"fake.gif\""_s});
        row("markup inside a script is seen",
            u"<script>document.write('<img src=w.gif>')</script>"_s, Images, {u"w.gif"_s});
        row("frames and iframes", u"<frame src=a.html><iframe src=b.html><FRAME SRC=A.HTML>"_s,
            Frames, {u"a.html"_s, u"b.html"_s});
        row("style sheets keep duplicates", u"<link href=a.css><link rel=icon><LINK HREF=A.CSS>"_s,
            Sheets, {u"a.css"_s, u"a.css"_s});

        row("title keeps its case", u"<TITLE>Моя Страница</TITLE>"_s, Title, {u"Моя Страница"_s});
        row("title across line breaks", u"<title>One\r\nTwo</title>"_s, Title, {u"One  Two"_s});
        const QString both = u"<meta http-equiv=\"description\" name=\"author\" content=\"X\">"_s;
        row("http-equiv wins over name", both, Description, {u"x"_s});
        row("name ignored when http-equiv given", both, Author, {});
        row("meta without content empties the value",
            u"<meta name=author content=A><meta name=author>"_s, Author, {});

        // Every dot starts a class name that runs to a blank or "{".
        row("every dot counts", u"<style>\n.a\r\n{ color: red }\n.b\t{ margin: 1.5em}\n</style>"_s,
            Classes, {u"a"_s, u"b"_s, u"5em}"_s});
        row("empty names kept", u"<style>. {x} p.</style>"_s, Classes, {QString(), QString()});
        row("block ends at the next <", u"<style>.a{} a<b .c{}</style>"_s, Classes, {u"a"_s});
    }

    void Results() {
        QFETCH(QString, html);
        QFETCH(int, field);
        THTMLParser p;
        p.Parse(html);
        QTEST(FieldsOf(p).at(field), "expected");
    }

    void Events_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QList<int>>("progress");

        QTest::newRow("no tags") << u"plain > text"_s << QList<int>{};
        QTest::newRow("one report per tag") << u"<a><b><c>"_s << QList<int>{0, 34, 67};
        QTest::newRow("script body skipped before the report")
            << u"<script>abcd<b>"_s << QList<int>{0, 80};
        // 100 times the length no longer fits in 32 bits.
        QTest::newRow("huge text")
            << u"<a>"_s + QString(22'000'000, u'x') + u"<b>"_s << QList<int>{0, 1};
        const char* const endless[] = {"<",         "<<<<",    "<>",          "< >",
                                       "><",        "a<",      "<title>",     "<style>",
                                       "<script>",  "<script", "<img src=\"", "<img src='>",
                                       "<a href=>", "<a href", "<meta>",      "<link href>"};
        for (const char* text : endless) {
            const QString html = QString::fromLatin1(text);
            QList<int> progress;
            if (html.contains(u'>') && html.indexOf(u'>') > html.indexOf(u'<'))
                progress << 0;
            QTest::newRow(qPrintable(u"ends on "_s + html)) << html << progress;
        }
    }

    void Events() {
        QFETCH(QString, html);
        QFETCH(QList<int>, progress);
        THTMLParser p;
        TEventLog log(p);
        p.Parse(html);
        QCOMPARE(log.Progress, progress);
        QCOMPARE(log.Events.first(), u"before"_s);
        QCOMPARE(log.Events.last(), u"after"_s);
        QCOMPARE(log.Events.count(u"after"_s), 1);
    }

    void AgreesWithLiteralCutting() {
        // Pieces of markup, separated by "|".
        static const QStringList Pieces =
            u"<|>|</|/>| |  |=| = |\"|'|a|A|img|IMG|title|style|script|link|meta|body|frame|"
            "iframe|area|embed|form|object|applet|href|src|name|content|http-equiv|author|"
            "keywords|generator|description|classid|code|\r\n|\n|\t|.|{|}|x.gif|\x01|<!--|-->|"
            "<a href=|<img src=| src=| href=|<meta name=|/|Ё|я|Я|\u00a0"_s.split(u'|');
        QRandomGenerator rng(20240611);
        for (int round = 0; round < 20000; ++round) {
            QString html;
            for (int i = rng.bounded(60); i > 0; --i)
                html += Pieces[rng.bounded(int(Pieces.size()))];
            const bool light = round % 4 == 0;
            THTMLParser p;
            p.setLightMode(light);
            TEventLog log(p);
            p.Parse(html);
            QList<int> progress;
            const TFields want = LiteralScan(html, light, progress);
            if (FieldsOf(p) == want && log.Progress == progress)
                continue;
            qWarning().noquote() << "differs on:" << html;
            QCOMPARE(log.Progress, progress);
            for (int f = 0; f < want.size(); ++f)
                QCOMPARE(FieldsOf(p).at(f), want.at(f));
        }
    }

    void ManyLinksInFirstOrder() {
        QString html;
        QStringList expected;
        for (int i = 0; i < 3000; ++i) {
            html += u"<a href=\"P%1.html\"><img src=\"i%2.gif\">"_s.arg(i % 700).arg(i % 3);
            if (i < 700)
                expected << u"p%1.html"_s.arg(i);
        }
        THTMLParser p;
        p.Parse(html);
        QCOMPARE(p.HyperLinks(), expected);
        QCOMPARE(p.Images(), (QStringList{u"i0.gif"_s, u"i1.gif"_s, u"i2.gif"_s}));
        p.Parse(u"<a href=p5.html>"_s);
        QCOMPARE(p.HyperLinks(), QStringList{u"p5.html"_s});
    }

    void LightModeKeepsBodyLists() {
        THTMLParser p;
        p.Parse(u"<head><title>Full</title><link href=a.css><style>.c1{}</style></head>"
                "<body><img src=one.gif><a href=x.html>"_s);
        p.setLightMode(true);
        TEventLog log(p);
        p.Parse(u"<head><meta name=author content=Me><style>.c2{}</style></head>"
                "<BODY bgcolor=white><title>Late</title><img src=two.gif><style>.c3{}</style>"_s);
        QCOMPARE(log.Progress.size(), 6); // up to and with the body tag
        QCOMPARE(p.Images(), QStringList{u"one.gif"_s});
        QCOMPARE(p.HyperLinks(), QStringList{u"x.html"_s});
        QCOMPARE(p.PageTitle(), QString());
        QCOMPARE(p.Author(), u"me"_s);
        QCOMPARE(p.CssClasses(), QStringList{u"c2"_s});
        QCOMPARE(p.StyleSheets(), QStringList{});
    }

    void EditorText() {
        THTMLParser p;
        auto* editor = new QObject;
        editor->setProperty("plainText", u"<title>T</title><body><img src=i.gif>"_s);
        p.setPageEditor(editor);

        p.ParseHead();
        QCOMPARE(p.PageTitle(), u"T"_s);
        QVERIFY(p.Images().isEmpty());
        QVERIFY(!p.LightMode());

        p.ParseEditor();
        QCOMPARE(p.Images(), QStringList{u"i.gif"_s});

        delete editor;
        QCOMPARE(p.PageEditor(), nullptr);
        TEventLog log(p);
        p.ParseEditor();
        p.ParseHead();
        QVERIFY(log.Events.isEmpty());
        QCOMPARE(p.PageTitle(), u"T"_s);
    }

    void ScanFromHandlerIgnored() {
        THTMLParser p;
        auto* editor = new QObject(&p);
        editor->setProperty("plainText", u"<title>Inner</title>"_s);
        p.setPageEditor(editor);
        TEventLog log(p);
        connect(&p, &THTMLParser::OnParse, &p, [&p] {
            QVERIFY(p.IsParsing());
            p.Parse(u"<title>Inner</title>"_s);
            p.ParseEditor();
            p.ParseHead();
        });
        p.Parse(u"<title>Outer</title><img src=a.gif>"_s);
        QCOMPARE(log.Events.count(u"before"_s), 1);
        QCOMPARE(log.Events.count(u"after"_s), 1);
        QCOMPARE(p.PageTitle(), u"Outer"_s);
        QCOMPARE(p.Images(), QStringList{u"a.gif"_s});
        QVERIFY(!p.IsParsing());
    }

    void ScannerDestroyedByHandler() {
        for (const bool head : {false, true}) {
            auto* p = new THTMLParser;
            QObject editor;
            editor.setProperty("plainText", u"<a href=x.html><img src=y.gif><title>t</title>"_s);
            p->setPageEditor(&editor);
            QPointer<THTMLParser> alive(p);
            int reports = 0;
            connect(p, &THTMLParser::OnParse, p, [&] {
                ++reports;
                delete alive.data();
            });
            head ? p->ParseHead() : p->ParseEditor();
            QVERIFY(alive.isNull());
            QCOMPARE(reports, 1);
        }
    }

    void LinkedStyleSheets_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("files"); // "path below the temporary folder|content"
        QTest::addColumn<QStringList>("classes");

        QTest::newRow("leading slash is the page's folder")
            << u"<link href=\"/style.css\">"_s
            << QStringList{u"site/style.css|.s{}"_s, u"style.css|.root{}"_s} << QStringList{u"s"_s};
        QTest::newRow("capitals on disk")
            << u"<link href=\"CSS/Main.CSS\">"_s << QStringList{u"site/CSS/Main.CSS|.m{}"_s}
            << QStringList{u"m"_s};
        QTest::newRow("exact name first")
            << u"<link href=\"A.css\">"_s
            << QStringList{u"site/A.css|.upper{}"_s, u"site/a.css|.lower{}"_s}
            << QStringList{u"lower"_s};
        QTest::newRow("address with a scheme not read")
            << u"<link href=\"http://example.com/s.css\">"_s << QStringList{u"site/s.css|.s{}"_s}
            << QStringList{};
        QTest::newRow("a folder is not a sheet")
            << u"<link href=\"d.css\">"_s << QStringList{u"site/d.css/x.css|.x{}"_s}
            << QStringList{};
        QTest::newRow("Windows-1251 sheet")
            << u"<link href=ru.css>"_s << QStringList{u"site/ru.css|.Заголовок{}\r\n.b{}"_s}
            << QStringList{u"Заголовок"_s, u"b"_s};
        QTest::newRow("in page order")
            << u"<style>.in{}</style><link href=s.css><style>.last{}"_s
            << QStringList{u"site/s.css|.out{}"_s} << QStringList{u"in"_s, u"out"_s, u"last"_s};
    }

    void LinkedStyleSheets() {
        QFETCH(QString, html);
        QFETCH(QStringList, files);
        QFETCH(QStringList, classes);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir(dir.path()).mkpath(u"site"_s);
        for (const QString& f : files) {
            const QString path = dir.filePath(f.section(u'|', 0, 0));
            QDir().mkpath(QFileInfo(path).path());
            testutil::WriteBytes(path, testutil::Cp1251(f.section(u'|', 1)));
        }
        THTMLParser p;
        p.AssignFileName(QDir::toNativeSeparators(dir.filePath(u"site/page.html"_s)));
        p.Parse(html);
        QCOMPARE(p.CssClasses(), classes);
        QCOMPARE(p.StyleSheets().size(), html.count(u"<link"_s));
    }

    void FileNameProperty() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString page = dir.filePath(u"page.html"_s);
        testutil::WriteBytes(page,
                             testutil::Cp1251(u"<title>Привет</title>\r\n<link href=s.css>"_s));
        testutil::WriteBytes(dir.filePath(u"s.css"_s), ".s{}");

        THTMLParser p;
        TEventLog log(p);
        p.setFileName(dir.filePath(u"missing.html"_s));
        p.setFileName(dir.path()); // a folder is not a page
        QCOMPARE(p.FileName(), QString());
        QVERIFY(log.Events.isEmpty());

        p.setFileName(page); // read at once, with its style sheet
        QCOMPARE(p.PageTitle(), u"Привет"_s);
        QCOMPARE(p.CssClasses(), QStringList{u"s"_s});

        // A page that is not on disk yet has no folder to read style sheets from, not even the
        // working folder.
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
        THTMLParser unsaved;
        unsaved.Parse(u"<link href=s.css><link href=/s.css>"_s);
        QCOMPARE(unsaved.StyleSheets().size(), 2);
        QVERIFY(unsaved.CssClasses().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHtmlParser)
#include "tst_htmlparser.moc"
