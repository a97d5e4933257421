// Text rules of completion and the tag editor. tst_editingaids opens the lists for align, valign,
// class and href; tst_edittag keeps values missing from a list.
#include "html/HTMLTag.h"
#include "html/completion.h"
#include "html/edittaglogic.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestCompletion : public QObject {
    Q_OBJECT

private slots:
    void hasValueList_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("has");
        QTest::newRow("capitals") << u"HrEf"_s << true;
        QTest::newRow("checked is not offered") << u"checked"_s << false;
        QTest::newRow("trailing blank") << u"align "_s << false;
        QTest::newRow("prefix") << u"alig"_s << false;
    }
    void hasValueList() {
        QFETCH(QString, name);
        QFETCH(bool, has);
        QCOMPARE(HasValueList(name), has);
    }

    void attributeValues() {
        TValueSources s;
        s.CssClasses = {u"b"_s, u"a"_s, u"b"_s};
        s.HyperLinks = {u"page.html"_s};
        s.Images = {u"pic.gif"_s};
        s.FontFamilies = {u"Arial"_s};
        QCOMPARE(AttributeValues(u"CLASS"_s, s), s.CssClasses); // order and duplicates kept
        QCOMPARE(AttributeValues(u"href"_s, s), s.HyperLinks);
        QCOMPARE(AttributeValues(u"src"_s, s), s.Images);
        QCOMPARE(AttributeValues(u"face"_s, s), s.FontFamilies);
        QVERIFY(AttributeValues(u"border"_s, s).isEmpty());
        QVERIFY(IsEditableValueList(u"HREF"_s) && IsEditableValueList(u"src"_s));
        QVERIFY(!IsEditableValueList(u"class"_s) && !IsEditableValueList(u"align"_s));
    }

    void placement_data() {
        QTest::addColumn<QRect>("editor");
        QTest::addColumn<QPoint>("caret");
        QTest::addColumn<QRect>("expected");
        const QRect ed(28, 0, 600, 400);
        // y' = y + 10 + 3, x' = x + 10 with a 10-point font; the list is 250 x 97.
        QTest::newRow("below right") << ed << QPoint(100, 50) << QRect(28 + 110, 63, 250, 97);
        QTest::newRow("above when no room below")
            << ed << QPoint(100, 350) << QRect(28 + 110, 363 - 97, 250, 97);
        QTest::newRow("left when no room right")
            << ed << QPoint(400, 50) << QRect(28 + 410 - 250, 63, 250, 97);
        QTest::newRow("exactly the height left goes above")
            << ed << QPoint(0, 400 - 13 - 97) << QRect(38, 400 - 97 - 97, 250, 97);
        QTest::newRow("cut at the top")
            << QRect(28, 0, 600, 100) << QPoint(0, 40) << QRect(38, 0, 250, 53);
        QTest::newRow("cut at the left")
            << QRect(28, 0, 200, 400) << QPoint(0, 0) << QRect(28, 13, 10, 97);
        QTest::newRow("caret below the editor's bottom")
            << ed << QPoint(0, 395) << QRect(38, 408 - 97, 250, 400 - (408 - 97));
    }
    void placement() {
        QFETCH(QRect, editor);
        QFETCH(QPoint, caret);
        QFETCH(QRect, expected);
        const QRect r = PlaceCompletionList(editor, QSize(250, 97), caret, 10);
        QCOMPARE(r, expected);
        QVERIFY(editor.contains(r));
    }

    // Every character of the model's normalised text maps to the same character as written.
    void rawTagPositionMatchesModel() {
        QCOMPARE(RawTagPosition(u"<a>"_s, 9), 9); // beyond the text: unchanged
        const QString text = u"<img  src =\t'a b.gif' \n alt= \"x = y\"   title\r\n=z  />"_s;
        const QString norm = THTMLTag::NormalizeTagText(text);
        for (int p = 1; p <= norm.size(); ++p) {
            QChar c = text.at(RawTagPosition(text, p) - 1);
            if (c == u'\r' || c == u'\n' || c == u'\t')
                c = u' ';
            QCOMPARE(c, norm.at(p - 1));
        }
    }

    void trimValue() {
        QCOMPARE(TrimValue(u"\x01 a b \t\x1f"_s), u"a b"_s);
        QCOMPARE(TrimValue(u" \x02 "_s), QString());
        QCOMPARE(TrimValue(u"Ёж"_s), u"Ёж"_s);
    }

    void chooseListValue_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        const QStringList align = AlignValues();
        QTest::newRow("empty value picks the first")
            << align << QString() << false << align << 0 << u"Left"_s;
        QTest::newRow("exact spelling first")
            << QStringList{u"foo"_s, u"Foo"_s} << u"Foo"_s << false
            << QStringList{u"foo"_s, u"Foo"_s} << 1 << u"Foo"_s;
        QTest::newRow("empty list, empty value")
            << QStringList() << QString() << false << QStringList() << -1 << QString();
        const QStringList links = {u"a.html"_s, u"page.html"_s};
        QTest::newRow("editable keeps the spelling")
            << links << u"Page.HTML"_s << true << links << 1 << u"Page.HTML"_s;
        QTest::newRow("editable unknown value")
            << links << u"new.html"_s << true << links << -1 << u"new.html"_s;
        QTest::newRow("editable empty value")
            << links << QString() << true << links << 0 << u"a.html"_s;
    }
    void chooseListValue() {
        QFETCH(QStringList, entries);
        QFETCH(QString, value);
        QFETCH(bool, editable);
        QFETCH(QStringList, shown);
        QFETCH(int, index);
        QFETCH(QString, text);
        const TValueChoice c = ChooseListValue(entries, value, editable);
        QCOMPARE(c.Entries, shown);
        QCOMPARE(c.Index, index);
        QCOMPARE(c.Text, text);
    }
};

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
