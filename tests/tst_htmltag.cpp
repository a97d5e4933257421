#include "html/HTMLTag.h"
#include "site/toolfunc.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// "name=value" for every attribute, in order.
QStringList Attrs(const THTMLTag& tag) {
    QStringList out;
    for (int i = 0; i < tag.AttributeCount(); ++i) {
        const THTMLTagProperty p = tag.GetAttributeByIndex(i);
        out << p.AttrName + u'=' + p.AttrValue;
    }
    return out;
}

} // namespace

class TstHtmlTag : public QObject {
    Q_OBJECT

private slots:
    void normalize() {
        // Line breaks and tabs become blanks; blanks stay unless they touch an "=".
        QCOMPARE(THTMLTag::NormalizeTagText(u" <a\r\nb\tc "_s), u" <a  b c "_s);
        QCOMPARE(THTMLTag::NormalizeTagText(u"a  =\t\n b = = c d"_s), u"a=b==c d"_s);
        QCOMPARE(THTMLTag::NormalizeTagText(u"  =x="_s), u"=x="_s);
    }

    // The successful rows walk every state the parser can leave without an error; the composed text
    // shows the name, the attributes in order with their values, and the inner text. The failing
    // rows reject a character in each state; positions count the normalised text.
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("composed");
        QTest::addColumn<bool>("wasClosed");
        QTest::addColumn<int>("tagsProcessed");
        QTest::addColumn<int>("errorAt"); // 0: no error
        auto row = [](const char* name, const QString& text, const QString& composed,
                      bool wasClosed = false, int processed = 1) {
            QTest::newRow(name) << text << composed << wasClosed << processed << 0;
        };
        auto error = [](const char* state, const QString& text, int position) {
            QTest::addRow("%s: %s", state, qPrintable(text))
                << text << QString() << false << 0 << position;
        };
        row("minimised attribute keeps its spelling as value", u"<INPUT type=\"radio\" CHECKED>"_s,
            u"<input type=\"radio\" checked=\"CHECKED\">"_s);
        // A lone quote character is both the opening and the closing one.
        row("other quotes strip like the chosen one", u"<a href=\"x\" title='y' z=`w` t=' u>"_s,
            u"<a href=\"x\" title=\"y\" z=\"w\" t=\"\" u=\"u\">"_s);
        row("unquoted values with other characters", u"<td width=50% x=a!b#>"_s,
            u"<td width=\"50%\" x=\"a!b#\">"_s);
        row("tag characters and blanks around equals inside quotes", u"<a t=\"<b>/x! = y\">"_s,
            u"<a t=\"<b>/x!=y\">"_s);
        row("empty values", u"<a name=\"\" id='' x=>"_s, u"<a name=\"\" id=\"\" x=\"\">"_s);
        row("duplicate keeps the first value", u"<a href=\"1\" HREF=\"2\" href>"_s,
            u"<a href=\"1\">"_s);
        row("innertext and invalid names are dropped",
            u"<p innertext=\"x\" 1x=y -a _ok=1 InnerText>"_s, u"<p _ok=\"1\">"_s);
        row("unquoted value then slash", u"<img src=a.gif/>"_s, u"<img src=\"a.gif\"></img>"_s,
            true);
        row("quoted value then slash", u"<img src='a'/>x"_s, u"<img src=\"a\">x</img>"_s, true);
        row("inner text", u"<b>bold > text"_s, u"<b>bold > text"_s);
        row("later tag wins", u"<b class=x>text</b>"_s, u"</b>"_s, false, 2);
        row("doubled open and blank after it", u"text << b>"_s, u"<b>"_s);
        row("empty tag", u"<>x"_s, u""_s);
        row("comment", u"<!-- a <b> -->"_s, u""_s, false, 0);
        row("declaration closed after its second bang", u"<!x!  >tail"_s, u""_s);
        row("text ends in attribute name", u"<input type=\"x\" checked"_s, u"<input type=\"x\">"_s,
            false, 0);
        row("text ends in quoted value", u"<a href=\"x>"_s, u"<a>"_s, false, 0);
        row("text ends after slash", u"<br/"_s, u"<br></br>"_s, true, 0);
        row("empty text", u""_s, u""_s, false, 0);
        // One case per state that can fail; the tag editor checks a position in the page itself.
        error("after <", u"<\"a\">"_s, 2);
        error("name", u"<a<"_s, 3);
        error("closing name", u"</p >"_s, 4);
        error("after the second bang", u"<!-- hi! there -->"_s, 10);
        error("between attributes", u"<a \"x\">"_s, 4);
        error("attribute name", u"<a b.c>"_s, 5);
        error("unquoted value", u"<a b=c=d>"_s, 7);
        error("after quote", u"<a b=\"c\"#>"_s, 9);
        error("after slash", u"<a href=x/y.html>"_s, 11);
        error("first error stops the parse", u"<a #><b !>"_s, 4);
    }

    void parse() {
        QFETCH(QString, text);
        QFETCH(int, errorAt);
        THTMLTag tag;
        QSignalSpy after(&tag, &THTMLTag::OnAfterParse);
        QSignalSpy error(&tag, &THTMLTag::OnError);
        QSignalSpy processed(&tag, &THTMLTag::OnTagProcessed);
        QSignalSpy added(&tag, &THTMLTag::OnAddProperty);
        QSignalSpy before(&tag, &THTMLTag::OnBeforeParse);
        tag.Parse(text);

        // One outcome event from the model. An error empties the model, including what was read
        // before the bad character.
        QCOMPARE(after.count() + error.count(), 1);
        QCOMPARE(error.count(), errorAt ? 1 : 0);
        QCOMPARE((errorAt ? error : after).at(0).at(0).value<QObject*>(),
                 static_cast<QObject*>(&tag));
        if (errorAt) {
            QCOMPARE(error.at(0).at(1).toInt(), errorAt);
            QVERIFY(tag.IsEmpty());
        }
        QCOMPARE(before.count(), 0);
        QTEST(tag.GetTagText(), "composed");
        QTEST(tag.WasClosed(), "wasClosed");
        QTEST(int(processed.count()), "tagsProcessed");
        if (processed.count() <= 1 && !errorAt) // earlier tags' attributes were cleared
            QCOMPARE(added.count(), tag.AttributeCount());
    }

    // A value is written so that it reads back the same: in double quotes unless it holds one.
    void valueQuoting_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << u"a b.html"_s << u"title=\"a b.html\""_s;
        QTest::newRow("double quote") << u"say \"hi\""_s << u"title='say \"hi\"'"_s;
        QTest::newRow("apostrophe") << u"it's"_s << u"title=\"it's\""_s;
        QTest::newRow("both kinds") << u"it's \"hi\""_s << u"title=\"it's &quot;hi&quot;\""_s;
        QTest::newRow("empty") << QString() << u"title=\"\""_s;
    }
    void valueQuoting() {
        QFETCH(QString, value);
        QFETCH(QString, written);
        THTMLTag tag;
        tag.setTagName(u"a"_s);
        tag.AddAttribute(u"title"_s, value);
        tag.AddAttribute(u"href"_s, u"x.html"_s);
        const QString text = tag.GetTagText();
        QCOMPARE(text, u"<a "_s + written + u" href=\"x.html\">"_s);
        // Read back alone, the value is the same, except for the entity, which a page keeps.
        THTMLTag again;
        again.Parse(u"<a "_s + written + u'>');
        QString expected = value;
        if (value.contains(u'"') && value.contains(u'\''))
            expected.replace(u"\""_s, u"&quot;"_s);
        QCOMPARE(again.GetAttribute(u"title"_s).AttrValue, expected);
    }

    void attributeOperations() {
        THTMLTag tag;
        QSignalSpy added(&tag, &THTMLTag::OnAddProperty);
        QSignalSpy changed(&tag, &THTMLTag::OnChangeProperty);
        QSignalSpy deleted(&tag, &THTMLTag::OnDeleteProperty);
        tag.Parse(u"<a href=\"x\">"_s);
        tag.AddAttribute(QString(), u"x"_s); // could not be written back
        QCOMPARE(added.count(), 1);
        tag.AddAttribute(u"Target"_s, u"_blank"_s);
        QCOMPARE(added.count(), 2);

        tag.SetAttribute(u"HREF"_s, u"y"_s);
        QCOMPARE(changed.count(), 1);
        tag.SetAttribute(u"title"_s, u"T"_s); // not present: added
        tag.SetAttribute(u"innertext"_s, u"T"_s);
        QCOMPARE(added.count(), 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(Attrs(tag), (QStringList{u"href=y"_s, u"target=_blank"_s, u"title=T"_s}));

        const THTMLTagProperty found = tag.GetAttribute(u"TARGET"_s);
        QVERIFY(found.AttrName == u"target"_s && found.AttrValue == u"_blank"_s && found.Found);
        const THTMLTagProperty missing = tag.GetAttribute(u"Alt"_s);
        QVERIFY(missing.AttrName == u"alt"_s && missing.AttrValue.isEmpty() && !missing.Found);
        for (int bad : {-1, 3})
            QVERIFY(!tag.GetAttributeByIndex(bad).Found &&
                    tag.GetAttributeByIndex(bad).AttrName.isEmpty());

        tag.DeleteAttribute(u"Target"_s);
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(tag.GetTagText(), u"<a href=\"y\" title=\"T\">"_s);
    }

    void propertiesAndClear() {
        THTMLTag tag;
        tag.Parse(u"<B Class=X>some text"_s);
        tag.setTagName(u"TABLE"_s);
        for (const QString& bad : {u""_s, u"/p"_s})
            tag.setTagName(bad);
        QCOMPARE(tag.GetTagText(), u"<table class=\"X\">some text"_s);

        tag.Clear();
        tag.setInnerText(u" \n "_s);
        QCOMPARE(tag.InnerText(), u" \n "_s);
        QVERIFY(tag.IsEmpty());
        QCOMPARE(tag.GetTagText(), QString());
        tag.setInnerText(u" text"_s);
        QCOMPARE(tag.GetTagText(), u" text"_s); // no name: the inner text alone
        tag.AddAttribute(u"a"_s, u"b"_s);
        QVERIFY(!tag.IsEmpty());
    }

    // A parse or a clear starts afresh. Both used to leave the closed flag of an earlier tag
    // behind, so a name given afterwards came back with a closing tag it never had.
    void parseAndClearResetState() {
        THTMLTag tag;
        tag.Parse(u"<br/>"_s);
        tag.setAllowStrictNotation(true);
        tag.Parse(u"plain text"_s);
        QVERIFY(!tag.WasClosed() && !tag.AllowStrictNotation());
        tag.setTagName(u"p"_s);
        QCOMPARE(tag.GetTagText(), u"<p>"_s);

        tag.Parse(u"<br class=c/>x"_s);
        tag.setAllowStrictNotation(true);
        tag.Clear();
        QVERIFY(tag.IsEmpty() && tag.AttributeCount() == 0 && tag.InnerText().isEmpty());
        QVERIFY(!tag.WasClosed() && !tag.AllowStrictNotation());
    }

    // A handler that parses again from inside an event must not upset the running parse.
    void reentrantParse() {
        THTMLTag tag;
        bool nested = false;
        connect(&tag, &THTMLTag::OnAddProperty, this, [&] {
            if (!std::exchange(nested, true))
                tag.Parse(u"<x>"_s);
        });
        tag.Parse(u"<a href=\"1\" name=\"2\" title=\"a long value to outlast the nested text\">"_s);
        QVERIFY(nested);
        QCOMPARE(tag.TagName(), u"x"_s);
        QCOMPARE(Attrs(tag),
                 (QStringList{u"name=2"_s, u"title=a long value to outlast the nested text"_s}));
    }

    // Short random texts over the characters the parser cares about: exactly one outcome event, an
    // error position inside the normalised text, the model's invariants, and a strict composition
    // that reads back to the same tag.
    void randomInputKeepsInvariants() {
        const QString alphabet = u"<>/\"'` \t\r\n=!aZ9_-#\u0431"_s;
        QRandomGenerator rng(20240611);
        THTMLTag tag, again;
        for (int round = 0; round < 20000; ++round) {
            QString text;
            for (int i = rng.bounded(40); i > 0; --i)
                text += alphabet.at(rng.bounded(int(alphabet.size())));
            QSignalSpy after(&tag, &THTMLTag::OnAfterParse);
            QSignalSpy error(&tag, &THTMLTag::OnError);
            tag.Parse(text);
            QCOMPARE(after.count() + error.count(), 1);
            if (!error.isEmpty()) {
                const int pos = error.at(0).at(1).toInt();
                QVERIFY2(pos >= 1 && pos <= THTMLTag::NormalizeTagText(text).size() &&
                             tag.IsEmpty(),
                         qPrintable(text));
                continue;
            }
            QStringList names;
            bool quoteInValue = false;
            for (int i = 0; i < tag.AttributeCount(); ++i) {
                const THTMLTagProperty p = tag.GetAttributeByIndex(i);
                QVERIFY2(IsValidTagName(p.AttrName) && p.AttrName == p.AttrName.toLower() &&
                             p.AttrName != u"innertext"_s && !names.contains(p.AttrName),
                         qPrintable(text));
                names << p.AttrName;
                quoteInValue = quoteInValue || p.AttrValue.contains(u'"');
            }
            // A double quote in a value or any quote in the name cannot survive recomposition.
            if (quoteInValue || tag.TagName().contains(QRegularExpression(u"[\"'`]"_s)))
                continue;
            tag.setAllowStrictNotation(true);
            QSignalSpy againError(&again, &THTMLTag::OnError);
            again.Parse(tag.GetTagText());
            QVERIFY2(againError.isEmpty(), qPrintable(text));
            QVERIFY2(again.TagName() == tag.TagName() && Attrs(again) == Attrs(tag) &&
                         again.InnerText() == tag.InnerText() &&
                         again.WasClosed() == tag.WasClosed(),
                     qPrintable(text + u" -> "_s + tag.GetTagText()));
        }
    }
};

QTEST_GUILESS_MAIN(TstHtmlTag)
#include "tst_htmltag.moc"
