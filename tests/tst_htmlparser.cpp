#include "html/HTMLParser.h"

#include "support/testutil.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QStringList& ListByName(const THTMLParser& p, const QString& name) {
    static const QHash<QString, const QStringList& (THTMLParser::*)() const> Lists = {
        {u"HyperLinks"_s, &THTMLParser::HyperLinks}, {u"Applets"_s, &THTMLParser::Applets},
        {u"AreaLinks"_s, &THTMLParser::AreaLinks},   {u"AnchorNames"_s, &THTMLParser::AnchorNames},
        {u"CssClasses"_s, &THTMLParser::CssClasses}, {u"Embeds"_s, &THTMLParser::Embeds},
        {u"FormNames"_s, &THTMLParser::FormNames},   {u"Frames"_s, &THTMLParser::Frames},
        {u"Images"_s, &THTMLParser::Images},         {u"Objects"_s, &THTMLParser::Objects},
        {u"Scripts"_s, &THTMLParser::Scripts},       {u"StyleSheets"_s, &THTMLParser::StyleSheets},
    };
    return (p.*Lists.value(name))();
}

QString TextByName(const THTMLParser& p, const QString& name) {
    if (name == u"PageTitle")
        return p.PageTitle();
    if (name == u"Generator")
        return p.Generator();
    if (name == u"Author")
        return p.Author();
    if (name == u"Keywords")
        return p.Keywords();
    return p.Description();
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

// The scan written the slow, literal way: the remaining text is cut and copied tag by tag, each
// step as plain string operations. The scanner must give the same results on any input.
struct TLiteralResult {
    QString Texts[5]; // title, generator, author, keywords, description
    QList<QStringList> Lists = QList<QStringList>(12);
    QList<int> Progress;
    bool operator==(const TLiteralResult&) const = default;
};

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
    while (true) {
        const qsizetype dot = style.indexOf(u'.');
        if (dot < 0)
            return;
        style.remove(0, dot + 1);
        qsizetype end = 0;
        while (end < style.size() && !QStringView(u"\t\n\r {").contains(style[end]))
            ++end;
        out << style.left(end);
        style.remove(0, end + 1);
    }
}

TLiteralResult LiteralScan(QString rest, bool light) {
    TLiteralResult r;
    enum {
        HyperLinks,
        Applets,
        AreaLinks,
        AnchorNames,
        Classes,
        Embeds,
        FormNames,
        Frames,
        Images,
        Objects,
        Scripts,
        Sheets
    };
    const auto add = [&](int list, const QString& v) {
        if (!v.isEmpty() && !r.Lists[list].contains(v))
            r.Lists[list] << v;
    };
    const auto upToTag = [&] {
        return rest.indexOf(u'<') < 0 ? rest : rest.left(rest.indexOf(u'<'));
    };
    const qint64 total = rest.size();
    while (rest.contains(u'<')) {
        if (rest.indexOf(u'>', rest.indexOf(u'<')) < 0)
            break;
        r.Progress << int(100 - qint64(rest.size()) * 100 / total);
        rest.remove(0, rest.indexOf(u'<'));
        QString tag = rest.left(rest.indexOf(u'>') + 1).toLower();
        rest.remove(0, tag.size());
        tag = TrimCtl(tag.mid(1, tag.size() - 2));
        tag.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
        QString name = TrimCtl(tag) + u' ';
        name.truncate(std::min(name.indexOf(u' '),
                               name.indexOf(u'/') < 0 ? name.size() : name.indexOf(u'/')));
        if (light && name == u"body")
            return r;
        if (name == u"title")
            r.Texts[0] = upToTag().replace(u'\n', u' ').replace(u'\r', u' ');
        if (name == u"style")
            LiteralClasses(upToTag(), r.Lists[Classes]);
        if (name == u"link" && !LiteralAttr(tag, u"href"_s).isEmpty())
            r.Lists[Sheets] << LiteralAttr(tag, u"href"_s);
        if (name == u"a") {
            add(HyperLinks, LiteralAttr(tag, u"href"_s));
            add(AnchorNames, LiteralAttr(tag, u"name"_s));
        }
        const std::pair<const char16_t*, std::pair<int, const char16_t*>> simple[] = {
            {u"applet", {Applets, u"code"}},   {u"area", {AreaLinks, u"href"}},
            {u"embed", {Embeds, u"src"}},      {u"form", {FormNames, u"name"}},
            {u"frame", {Frames, u"src"}},      {u"iframe", {Frames, u"src"}},
            {u"img", {Images, u"src"}},        {u"script", {Scripts, u"src"}},
            {u"object", {Objects, u"classid"}}};
        for (const auto& [tagName, target] : simple) {
            if (name == QStringView(tagName))
                add(target.first, LiteralAttr(tag, QString::fromUtf16(target.second)));
        }
        if (name == u"script" && rest.contains(u'<'))
            rest.remove(0, rest.indexOf(u'<'));
        if (name == u"meta") {
            QString key = LiteralAttr(tag, u"http-equiv"_s);
            if (key.isEmpty())
                key = LiteralAttr(tag, u"name"_s);
            const QStringList keys = {u"generator"_s, u"author"_s, u"keywords"_s, u"description"_s};
            if (keys.contains(key))
                r.Texts[1 + keys.indexOf(key)] = LiteralAttr(tag, u"content"_s);
        }
    }
    return r;
}

TLiteralResult ResultOf(const THTMLParser& p, const QList<int>& progress) {
    TLiteralResult r;
    r.Texts[0] = p.PageTitle();
    r.Texts[1] = p.Generator();
    r.Texts[2] = p.Author();
    r.Texts[3] = p.Keywords();
    r.Texts[4] = p.Description();
    r.Lists = {p.HyperLinks(), p.Applets(), p.AreaLinks(), p.AnchorNames(),
               p.CssClasses(), p.Embeds(),  p.FormNames(), p.Frames(),
               p.Images(),     p.Objects(), p.Scripts(),   p.StyleSheets()};
    r.Progress = progress;
    return r;
}

} // namespace

class TestHtmlParser : public QObject {
    Q_OBJECT

private slots:
    void Lists_data();
    void Lists();
    void Texts_data();
    void Texts();
    void Classes_data();
    void Classes();
    void Events_data();
    void Events();
    void AgreesWithLiteralCutting();
    void ManyLinksInFirstOrder();
    void ProgressOnHugeText();
    void LightModeKeepsBodyLists();
    void EditorText();
    void ScanFromHandlerIgnored();
    void ScannerDestroyedByHandler();
    void LinkedStyleSheets_data();
    void LinkedStyleSheets();
    void FileNameProperty();
};

void TestHtmlParser::Lists_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, const QString& html, const QString& list,
                        const QStringList& expected) {
        QTest::newRow(name) << html << list << expected;
    };
    const QString H = u"HyperLinks"_s, I = u"Images"_s;
    row("text without tags", u"just text > here"_s, H, {});
    row("capitals and apostrophes give one entry",
        u"<A HREF=\"Page.HTML\">x</A> <a href='page.html'>y</a>"_s, H, {u"page.html"_s});
    row("blanks around =", u"<a href = \"x.html\">"_s, H, {u"x.html"_s});
    row("two blanks before = hide the value", u"<a href  =\"x.html\">"_s, H, {});
    row("blank and = inside a value collapse", u"<a href=\"a = b.html\">"_s, H, {u"a=b.html"_s});
    row("line breaks and tabs between attributes", u"<a\r\nhref=x.html\tname=n>"_s, H,
        {u"x.html"_s});
    row("trailing blank inside quotes trimmed", u"<a href=\"x.html \">"_s, H, {u"x.html"_s});
    row("apostrophe inside double quotes", u"<a href=\"it's.html\">"_s, H, {u"it's.html"_s});
    row("unclosed quote gives nothing", u"<a href=\"x.html>"_s, H, {});
    row("empty values not added", u"<a href=\"\" name=''>"_s, H, {});
    row("final slash dropped from an unquoted value", u"<a href=dir/>"_s, H, {u"dir"_s});
    row("name ends at slash", u"<a/href=x.html>"_s, H, {});
    row("closing tag has no name", u"</a href=x.html>"_s, H, {});
    row("first > ends the tag", u"<a title=\"1>0\" href=\"x.html\">"_s, H, {});
    row("commented-out link", u"<!-- <a href=\"c.html\"> -->"_s, H, {});
    row("Cyrillic lowercased", u"<a href=\"Страница.HTML\">"_s, H, {u"страница.html"_s});
    row("Yo lowercased", u"<a href=\"ЁЖ.html\">"_s, H, {u"ёж.html"_s});
    row("unterminated tag ends the scan", u"<a href=x.html><img src=y.gif <a href=z.html"_s, H,
        {u"x.html"_s});
    row("anchor names", u"<a name=\"Top\"></a><a href=\"#top\" name=top>"_s, u"AnchorNames"_s,
        {u"top"_s});
    row("img src followed by slash", u"<img src=a.gif/>"_s, I, {u"a.gif"_s});
    row("img self-closing with blank", u"<img src=a.gif />"_s, I, {u"a.gif"_s});
    row("img quoted src with a space", u"<img src=\"my pic.gif\">"_s, I, {u"my pic.gif"_s});
    row("img quoted src with a leading blank", u"<img src=\" pic.gif\">"_s, I, {});
    row("img tab inside a value", u"<img src=\"a\tb.gif\">"_s, I, {u"a b.gif"_s});
    row("closing quote glued to the next attribute", u"<img src=\"a.gif\"alt=\"b\">"_s, I,
        {u"a.gif\"alt=\"b"_s});
    row("match inside an earlier quoted value",
        u"<img alt=\"see src=fake.gif\" src=\"real.gif\">"_s, I, {u"fake.gif\""_s});
    row("images without duplicates", u"<img src=a.gif><img src=b.gif><IMG SRC=A.GIF>"_s, I,
        {u"a.gif"_s, u"b.gif"_s});
    row("markup inside a script is seen", u"<script>document.write('<img src=w.gif>')</script>"_s,
        I, {u"w.gif"_s});
    row("script src", u"<script src=\"Lib.JS\">if (a<b) {}</script>"_s, u"Scripts"_s,
        {u"lib.js"_s});
    row("frames and iframes", u"<frame src=a.html><iframe src=b.html><FRAME SRC=A.HTML>"_s,
        u"Frames"_s, {u"a.html"_s, u"b.html"_s});
    row("area", u"<area shape=rect href=Map.html>"_s, u"AreaLinks"_s, {u"map.html"_s});
    row("embed", u"<embed src=Movie.swf>"_s, u"Embeds"_s, {u"movie.swf"_s});
    row("applet", u"<applet code=Clock.class>"_s, u"Applets"_s, {u"clock.class"_s});
    row("object", u"<object classid=\"clsid:ABC\">"_s, u"Objects"_s, {u"clsid:abc"_s});
    row("form", u"<form name=Order action=x>"_s, u"FormNames"_s, {u"order"_s});
    row("style sheets keep duplicates", u"<link href=a.css><link rel=icon><LINK HREF=A.CSS>"_s,
        u"StyleSheets"_s, {u"a.css"_s, u"a.css"_s});
}

void TestHtmlParser::Lists() {
    QFETCH(QString, html);
    QFETCH(QString, list);
    QFETCH(QStringList, expected);
    THTMLParser p;
    p.Parse(html);
    QCOMPARE(ListByName(p, list), expected);
}

void TestHtmlParser::Texts_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    const QString T = u"PageTitle"_s;
    QTest::newRow("title keeps its case")
        << u"<TITLE>Моя Страница</TITLE>"_s << T << u"Моя Страница"_s;
    QTest::newRow("title across CR LF") << u"<title>One\r\nTwo</title>"_s << T << u"One  Two"_s;
    QTest::newRow("title across LF") << u"<title>One\nTwo</title>"_s << T << u"One Two"_s;
    QTest::newRow("title not trimmed") << u"<title> A </title>"_s << T << u" A "_s;
    QTest::newRow("later title wins") << u"<title>A</title><title>B</title>"_s << T << u"B"_s;
    QTest::newRow("title to the end of the text") << u"<title>Tail"_s << T << u"Tail"_s;
    QTest::newRow("meta name Author")
        << u"<meta name=\"Author\" content=\"Ivan Petrov\">"_s << u"Author"_s << u"ivan petrov"_s;
    QTest::newRow("meta http-equiv keywords")
        << u"<meta http-equiv=\"keywords\" content=\"HTML, CSS\">"_s << u"Keywords"_s
        << u"html, css"_s;
    QTest::newRow("http-equiv wins over name")
        << u"<meta http-equiv=\"description\" name=\"author\" content=\"X\">"_s << u"Description"_s
        << u"x"_s;
    QTest::newRow("name ignored when http-equiv given")
        << u"<meta http-equiv=\"description\" name=\"author\" content=\"X\">"_s << u"Author"_s
        << QString();
    QTest::newRow("meta in capitals") << u"<META NAME=Generator CONTENT=\"Quorvane 1.2\">"_s
                                      << u"Generator"_s << u"quorvane 1.2"_s;
    QTest::newRow("meta without content empties the value")
        << u"<meta name=author content=A><meta name=author>"_s << u"Author"_s << QString();
}

void TestHtmlParser::Texts() {
    QFETCH(QString, html);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    THTMLParser p;
    p.Parse(html);
    QCOMPARE(TextByName(p, field), expected);
}

void TestHtmlParser::Classes_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("every dot counts")
        << u"<style>\n.a { color: red }\n.b { margin: 1.5em}\n</style>"_s
        << QStringList{u"a"_s, u"b"_s, u"5em}"_s};
    QTest::newRow("rules wrapped in a comment")
        << u"<style><!--\n.a { color: red }\n--></style>"_s << QStringList{};
    QTest::newRow("empty names kept")
        << u"<style>. {x} p.</style>"_s << QStringList{QString(), QString()};
    QTest::newRow("dot inside a name") << u"<style>.a.b{}</style>"_s << QStringList{u"a.b"_s};
    QTest::newRow("duplicates and case kept")
        << u"<style>.Big{} .Big{}</style>"_s << QStringList{u"Big"_s, u"Big"_s};
    QTest::newRow("style to the end of the text") << u"<style>.z{}"_s << QStringList{u"z"_s};
    QTest::newRow("two blocks in order")
        << u"<STYLE type=\"text/css\">.a{}</STYLE><p><style>.b{}"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("file names in urls")
        << u"<style>p{background:url(i.gif)}</style>"_s << QStringList{u"gif)}"_s};
    QTest::newRow("block ends at the next <")
        << u"<style>.a{} a<b .c{}</style>"_s << QStringList{u"a"_s};
    QTest::newRow("Cyrillic name")
        << u"<style>.Заголовок{}</style>"_s << QStringList{u"Заголовок"_s};
}

void TestHtmlParser::Classes() {
    QFETCH(QString, html);
    QFETCH(QStringList, expected);
    THTMLParser p;
    p.Parse(html);
    QCOMPARE(p.CssClasses(), expected);
}

void TestHtmlParser::Events_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QList<int>>("progress");

    QTest::newRow("no tags") << u"plain > text"_s << QList<int>{};
    QTest::newRow("one report per tag") << u"<a><b><c>"_s << QList<int>{0, 34, 67};
    QTest::newRow("text before the first tag") << u"xxxxx<a>"_s << QList<int>{0};
    QTest::newRow("script body skipped before the report")
        << u"<script>abcd<b>"_s << QList<int>{0, 80};
    QTest::newRow("unterminated tag not reported") << u"<a><b"_s << QList<int>{0};
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

void TestHtmlParser::Events() {
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

void TestHtmlParser::AgreesWithLiteralCutting() {
    static const char* const Pieces[] = {
        "<",           ">",       "</",      "/>",          " ",      "  ",       "=",
        " = ",         "\"",      "'",       "a",           "A",      "img",      "IMG",
        "title",       "style",   "script",  "link",        "meta",   "body",     "frame",
        "iframe",      "area",    "embed",   "form",        "object", "applet",   "href",
        "src",         "name",    "content", "http-equiv",  "author", "keywords", "generator",
        "description", "classid", "code",    "\r\n",        "\n",     "\t",       ".",
        "{",           "}",       "x.gif",   "\x01",        "<!--",   "-->",      "<a href=",
        "<img src=",   " src=",   " href=",  "<meta name=", "/"};
    static const QString Extra[] = {u"Ё"_s, u"я"_s, u"Я"_s, u"\u00a0"_s};
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 20000; ++round) {
        QString html;
        const int count = rng.bounded(60);
        for (int i = 0; i < count; ++i) {
            const int k = rng.bounded(int(std::size(Pieces) + std::size(Extra)));
            html += k < int(std::size(Pieces)) ? QString::fromLatin1(Pieces[k])
                                               : Extra[k - std::size(Pieces)];
        }
        const bool light = round % 4 == 0;
        THTMLParser p;
        p.setLightMode(light);
        TEventLog log(p);
        p.Parse(html);
        const TLiteralResult got = ResultOf(p, log.Progress);
        const TLiteralResult want = LiteralScan(html, light);
        if (got == want)
            continue;
        qWarning().noquote() << "differs on:" << html;
        QCOMPARE(got.Progress, want.Progress);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(got.Texts[i], want.Texts[i]);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(got.Lists[i], want.Lists[i]);
    }
}

void TestHtmlParser::ManyLinksInFirstOrder() {
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

void TestHtmlParser::ProgressOnHugeText() {
    // 100 times the length no longer fits in 32 bits.
    const qsizetype filler = 22'000'000;
    QString html = u"<a>"_s;
    html.append(QString(filler, u'x'));
    html.append(u"<b>"_s);
    THTMLParser p;
    TEventLog log(p);
    p.Parse(html);
    QCOMPARE(log.Progress, (QList<int>{0, 1}));
}

void TestHtmlParser::LightModeKeepsBodyLists() {
    THTMLParser p;
    p.Parse(u"<head><title>Full</title><link href=a.css><style>.c1{}</style></head>"
            "<body><img src=one.gif><a href=x.html>"_s);
    p.setLightMode(true);
    TEventLog log(p);
    p.Parse(u"<head><meta name=author content=Me><style>.c2{}</style></head>"
            "<BODY bgcolor=white><title>Late</title><img src=two.gif><style>.c3{}</style>"_s);
    QCOMPARE(log.Events, (QStringList{u"before"_s, u"parse"_s, u"parse"_s, u"parse"_s, u"parse"_s,
                                      u"parse"_s, u"parse"_s, u"after"_s}));
    QCOMPARE(p.Images(), QStringList{u"one.gif"_s});
    QCOMPARE(p.HyperLinks(), QStringList{u"x.html"_s});
    QCOMPARE(p.PageTitle(), QString());
    QCOMPARE(p.Author(), u"me"_s);
    QCOMPARE(p.CssClasses(), QStringList{u"c2"_s});
    QCOMPARE(p.StyleSheets(), QStringList{});
}

void TestHtmlParser::EditorText() {
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

void TestHtmlParser::ScanFromHandlerIgnored() {
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

void TestHtmlParser::ScannerDestroyedByHandler() {
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

void TestHtmlParser::LinkedStyleSheets_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("files"); // "path below the temporary folder|content"
    QTest::addColumn<QStringList>("classes");

    QTest::newRow("relative to the page")
        << u"<link rel=stylesheet href=\"css/main.css\">"_s
        << QStringList{u"site/css/main.css|.m{}"_s} << QStringList{u"m"_s};
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
    QTest::newRow("parent folder")
        << u"<link href=\"../up.css\">"_s << QStringList{u"up.css|.u{}"_s} << QStringList{u"u"_s};
    QTest::newRow("address with a scheme not read")
        << u"<link href=\"http://example.com/s.css\">"_s << QStringList{u"site/s.css|.s{}"_s}
        << QStringList{};
    QTest::newRow("missing file") << u"<link href=\"nothere.css\">"_s << QStringList{}
                                  << QStringList{};
    QTest::newRow("a folder is not a sheet")
        << u"<link href=\"d.css\">"_s << QStringList{u"site/d.css/x.css|.x{}"_s} << QStringList{};
    QTest::newRow("Windows-1251 sheet")
        << u"<link href=ru.css>"_s << QStringList{u"site/ru.css|.Заголовок{}\r\n.b{}"_s}
        << QStringList{u"Заголовок"_s, u"b"_s};
    QTest::newRow("in page order")
        << u"<style>.in{}</style><link href=s.css><style>.last{}"_s
        << QStringList{u"site/s.css|.out{}"_s} << QStringList{u"in"_s, u"out"_s, u"last"_s};
}

void TestHtmlParser::LinkedStyleSheets() {
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

void TestHtmlParser::FileNameProperty() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString page = dir.filePath(u"page.html"_s);
    testutil::WriteBytes(page, testutil::Cp1251(u"<title>Привет</title>\r\n<link href=s.css>"_s));
    testutil::WriteBytes(dir.filePath(u"s.css"_s), ".s{}");

    THTMLParser p;
    TEventLog log(p);
    p.setFileName(dir.filePath(u"missing.html"_s));
    p.setFileName(dir.path()); // a folder is not a page
    QCOMPARE(p.FileName(), QString());
    QVERIFY(log.Events.isEmpty());

    p.setFileName(page);
    QCOMPARE(p.FileName(), page);
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

QTEST_GUILESS_MAIN(TestHtmlParser)
#include "tst_htmlparser.moc"
