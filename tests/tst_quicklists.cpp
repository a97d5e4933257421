// The quick-insert lists without a window: captions, sizes, caret rules, the exchange slot.
#include "markup/quicklistdata.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TQuickList)
Q_DECLARE_METATYPE(TQuickAction)

namespace {

// The text as InsertText leaves it on an empty page, with "|" where the caret ends.
QString Rendered(const TInsertion& insertion) {
    const TInsertion f = Finalized(insertion);
    if (f.K < 0 || f.K > f.Text.size())
        return u"<caret outside the text: k=%1>"_s.arg(f.K);
    QString out = f.Text;
    out.insert(out.size() - f.K, u'|');
    return out;
}

} // namespace

class TestQuickLists : public QObject {
    Q_OBJECT

private slots:
    // The caption entry heads each list; it and anything past the end do nothing, every entry
    // between does something.
    void items_data() {
        QTest::addColumn<TQuickList>("list");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("entries");
        QTest::newRow("headings") << TQuickList::HeaderStyle << u"Обычный"_s << 6;
        QTest::newRow("form") << TQuickList::FormElement << u"Элементы web-форм"_s << 12;
        QTest::newRow("script") << TQuickList::ScriptType << u"Сценарий"_s << 5;
        QTest::newRow("cold fusion") << TQuickList::ColdFusion << u"Расширения Cold Fusion"_s << 19;
        QTest::newRow("asp") << TQuickList::ActiveSP << u"Сценарии Active Server Pages"_s << 19;
        QTest::newRow("server vars") << TQuickList::ServerVars << u"Переменные окружения"_s << 19;
        QTest::newRow("entities") << TQuickList::SpecChars << u"Специальные символы"_s << 26;
    }

    void items() {
        QFETCH(TQuickList, list);
        QFETCH(QString, caption);
        QFETCH(int, entries);
        const QStringList items = QuickListItems(list);
        QCOMPARE(items.size(), entries + 1);
        QCOMPARE(items.first(), caption);
        for (int i : {-1, 0, entries + 1})
            QCOMPARE(QuickListEntry(list, i).Action, TQuickAction::None);
        for (int i = 1; i <= entries; ++i)
            QVERIFY2(QuickListEntry(list, i).Action != TQuickAction::None, qPrintable(items[i]));
    }

    // One entry per caret rule not already inserted by tst_quicklistswindow, and the ends of the
    // lists that tst_quicklistswindow does not choose; for those the tag stands for the text.
    void entries_data() {
        QTest::addColumn<TQuickList>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<TQuickAction>("action");
        QTest::addColumn<QString>(
            "expected"); // the inserted text with "|" at the caret, or the tag

        auto row = [](const char* tag, TQuickList list, int index, const QString& entry,
                      const QString& expected, TQuickAction action = TQuickAction::InsertText) {
            QTest::newRow(tag) << list << index << entry << action << expected;
        };
        row("script: language lowered in type, caret on the first empty line",
            TQuickList::ScriptType, 3, u"JavaScript1.2"_s,
            u"<script language=\"JavaScript1.2\" type=\"text/javascript1.2\">\n<![CDATA[\n|\n\n]]>"
            u"\n</script>\n"_s);
        row("server tag: in the first empty quotes", TQuickList::ColdFusion, 12,
            u"<CFFILE ACTION=\"UPLOAD\" FILEFIELD=\"\" DESTINATION=\"\" />"_s,
            u"<cffile action=\"upload\" filefield=\"|\" destination=\"\" />"_s);
        row("server tag: at the end", TQuickList::ColdFusion, 4, u"<CFSET>"_s, u"<cfset>|"_s);
        row("asp: no dots, trailing blank kept", TQuickList::ActiveSP, 2, u"Do While "_s,
            u"Do While |"_s);
        row("asp: single dots are no marker", TQuickList::ActiveSP, 9,
            u"Server.CreateObject(\"ADODB.Connection\")"_s,
            u"Server.CreateObject(\"ADODB.Connection\")|"_s);
        row("server variable and a blank", TQuickList::ServerVars, 1, u"AUTH_TYPE"_s,
            u"AUTH_TYPE |"_s);
        row("last entity", TQuickList::SpecChars, 26, u"Цент"_s, u"&cent;|"_s);
        row("last heading", TQuickList::HeaderStyle, 6, u"Заголовок 6"_s, u"h6"_s,
            TQuickAction::Heading);
        row("last form element", TQuickList::FormElement, 12, u"Скрытый элемент"_s, u"hidden"_s,
            TQuickAction::InputElement);
    }

    void entries() {
        QFETCH(TQuickList, list);
        QFETCH(int, index);
        QFETCH(QString, entry);
        QFETCH(TQuickAction, action);
        QFETCH(QString, expected);
        QCOMPARE(QuickListItems(list).value(index), entry);
        const TQuickEntry e = QuickListEntry(list, index);
        QCOMPARE(e.Action, action);
        QCOMPARE(action == TQuickAction::InsertText ? Rendered(e.Insertion) : e.Tag, expected);
    }

    void composedTexts() {
        QCOMPARE(Rendered(ActiveSPInsertion(u"a(..)b(..)"_s)), u"a(|)b(..)"_s); // first dots only
        QCOMPARE(Rendered(ColdFusionInsertion({})), u"|"_s);
    }

    void splitExchange_data() {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("split"); // name|value
        const QString esc(QChar(27));
        QTest::newRow("cancelled: both untouched") << QString() << u"untouched|untouched"_s;
        QTest::newRow("value keeps blanks") << u"n"_s + esc + u"  v "_s << u"n|  v "_s;
        QTest::newRow("split at the first ESC")
            << u"n"_s + esc + u"a"_s + esc + u"b"_s << u"n|a"_s + esc + u"b"_s;
        QTest::newRow("no ESC: all name") << u"n"_s << u"n|"_s;
    }

    void splitExchange() {
        QFETCH(QString, slot);
        QFETCH(QString, split);
        QString n = u"untouched"_s, v = u"untouched"_s;
        QCOMPARE(SplitCtrlExchange(slot, &n, &v), !slot.isEmpty());
        QCOMPARE(n + u'|' + v, split);
    }
};

QTEST_APPLESS_MAIN(TestQuickLists)
#include "tst_quicklists.moc"
