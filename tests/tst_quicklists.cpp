// The quick-insert lists without a window: every entry's text and caret, the lists' captions and
// sizes, and the name/value dialog's exchange slot.
#include "markup/quicklistdata.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TQuickList)
Q_DECLARE_METATYPE(TQuickAction)
Q_DECLARE_METATYPE(TInsertion)

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
    void items_data();
    void items();
    void textEntries_data();
    void textEntries();
    void otherEntries_data();
    void otherEntries();
    void composedTexts_data();
    void composedTexts();
    void splitExchange_data();
    void splitExchange();
};

void TestQuickLists::items_data() {
    QTest::addColumn<TQuickList>("list");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("last");
    QTest::newRow("headings") << TQuickList::HeaderStyle << u"Обычный"_s << 6 << u"Заголовок 6"_s;
    QTest::newRow("form") << TQuickList::FormElement << u"Элементы web-форм"_s << 12
                          << u"Скрытый элемент"_s;
    QTest::newRow("script") << TQuickList::ScriptType << u"Сценарий"_s << 5 << u"TCL"_s;
    QTest::newRow("cold fusion") << TQuickList::ColdFusion << u"Расширения Cold Fusion"_s << 19
                                 << u"<CFELSEIF />"_s;
    QTest::newRow("asp") << TQuickList::ActiveSP << u"Сценарии Active Server Pages"_s << 19
                         << u"Server.MapPath(Request.ServerVariables(\"PATH_INFO\"))"_s;
    QTest::newRow("server vars") << TQuickList::ServerVars << u"Переменные окружения"_s << 19
                                 << u"SERVER_SOFTWARE"_s;
    QTest::newRow("entities") << TQuickList::SpecChars << u"Специальные символы"_s << 26
                              << u"Цент"_s;
}

void TestQuickLists::items() {
    QFETCH(TQuickList, list);
    QFETCH(QString, caption);
    QFETCH(int, entries);
    QFETCH(QString, last);
    const QStringList items = QuickListItems(list);
    QCOMPARE(items.size(), entries + 1);
    QCOMPARE(items.first(), caption);
    QCOMPARE(items.last(), last);
    // The caption entry and anything past the end do nothing.
    QCOMPARE(QuickListEntry(list, 0).Action, TQuickAction::None);
    QCOMPARE(QuickListEntry(list, entries + 1).Action, TQuickAction::None);
    QCOMPARE(QuickListEntry(list, -1).Action, TQuickAction::None);
    for (int i = 1; i <= entries; ++i)
        QVERIFY2(QuickListEntry(list, i).Action != TQuickAction::None, qPrintable(items[i]));
}

void TestQuickLists::textEntries_data() {
    QTest::addColumn<TQuickList>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected"); // the inserted text with "|" at the caret

    auto row = [](TQuickList list, int index, const QString& entry, const QString& expected) {
        QTest::addRow("%s", qPrintable(entry)) << list << index << entry << expected;
    };

    const QString block = u"\n<![CDATA[\n|\n\n]]>\n</script>\n"_s;
    row(TQuickList::ScriptType, 1, u"JavaScript"_s,
        u"<script language=\"JavaScript\" type=\"text/javascript\">"_s + block);
    row(TQuickList::ScriptType, 2, u"JavaScript1.1"_s,
        u"<script language=\"JavaScript1.1\" type=\"text/javascript1.1\">"_s + block);
    row(TQuickList::ScriptType, 3, u"JavaScript1.2"_s,
        u"<script language=\"JavaScript1.2\" type=\"text/javascript1.2\">"_s + block);
    row(TQuickList::ScriptType, 4, u"VBScript"_s,
        u"<script language=\"VBScript\" type=\"text/vbscript\">"_s + block);
    row(TQuickList::ScriptType, 5, u"TCL"_s,
        u"<script language=\"TCL\" type=\"text/tcl\">"_s + block);

    const char16_t* coldFusion[][2] = {
        {u"<CFQUERY NAME=\"\" DATASOURCE=\"\"></CFQUERY>",
         u"<cfquery name=\"\" datasource=\"\">|</cfquery>"},
        {u"<CFOUTPUT></CFOUTPUT>", u"<cfoutput>|</cfoutput>"},
        {u"<CFOUTPUT QUERY=\"\"></CFOUTPUT>", u"<cfoutput query=\"\">|</cfoutput>"},
        {u"<CFSET>", u"<cfset>|"},
        {u"<CFMAIL TO=\"\" FROM=\"\" SUBJECT=\"\"></CFMAIL>",
         u"<cfmail to=\"\" from=\"\" subject=\"\">|</cfmail>"},
        {u"<CFREPORT REPORT=\"\"></CFREPORT>", u"<cfreport report=\"\">|</cfreport>"},
        {u"<CFINCLUDE TEMPLATE=\"\">", u"<cfinclude template=\"|\">"},
        {u"<CFLOCATION URL=\"\" />", u"<cflocation url=\"|\" />"},
        {u"<CFCONTENT TYPE=\"\" FILE=\"\" />", u"<cfcontent type=\"|\" file=\"\" />"},
        {u"<CFCOOKIE NAME=\"\" VALUE=\"\" EXPIRES=\"\" />",
         u"<cfcookie name=\"|\" value=\"\" expires=\"\" />"},
        {u"<CFTRANSACTION ISOLATION=\"\"></CFTRANSACTION>",
         u"<cftransaction isolation=\"\">|</cftransaction>"},
        {u"<CFFILE ACTION=\"UPLOAD\" FILEFIELD=\"\" DESTINATION=\"\" />",
         u"<cffile action=\"upload\" filefield=\"|\" destination=\"\" />"},
        {u"<CFLOOP></CFLOOP>", u"<cfloop>|</cfloop>"},
        {u"<CFLOOP CONDITION=\"\"></CFLOOP>", u"<cfloop condition=\"\">|</cfloop>"},
        {u"<CFLOOP INDEX=\"\" FROM=\"\" TO=\"\"></CFLOOP>",
         u"<cfloop index=\"\" from=\"\" to=\"\">|</cfloop>"},
        {u"<CFIF />", u"<cfif />|"},
        {u"<CFIF></CFIF>", u"<cfif>|</cfif>"},
        {u"<CFELSE />", u"<cfelse />|"},
        {u"<CFELSEIF />", u"<cfelseif />|"},
    };
    int i = 1;
    for (const auto& [entry, expected] : coldFusion)
        row(TQuickList::ColdFusion, i++, QString::fromUtf16(entry), QString::fromUtf16(expected));

    const char16_t* activeSP[][2] = {
        {u"CreateObject(\"..\")", u"CreateObject(\"|\")"},
        {u"Do While ", u"Do While |"},
        {u"Do While Not ", u"Do While Not |"},
        {u"Request.Form(\"..\")", u"Request.Form(\"|\")"},
        {u"Request.QueryString(\"..\")", u"Request.QueryString(\"|\")"},
        {u"Request.ServerVariables(\"..\")", u"Request.ServerVariables(\"|\")"},
        {u"Response.Write(..)", u"Response.Write(|)"},
        {u"Session(\"..\")", u"Session(\"|\")"},
        {u"Server.CreateObject(\"ADODB.Connection\")",
         u"Server.CreateObject(\"ADODB.Connection\")|"},
        {u"Server.CreateObject(\"ADODB.Recordset\")", u"Server.CreateObject(\"ADODB.Recordset\")|"},
        {u"Server.CreateObject(\"ADODB.Command\")", u"Server.CreateObject(\"ADODB.Command\")|"},
        {u"Server.CreateObject(\"MSWC.AdRotator\")", u"Server.CreateObject(\"MSWC.AdRotator\")|"},
        {u"Server.CreateObject(\"MSWC.BrowserType\")",
         u"Server.CreateObject(\"MSWC.BrowserType\")|"},
        {u"Server.CreateObject(\"MSWC.NextLink\")", u"Server.CreateObject(\"MSWC.NextLink\")|"},
        {u"Server.CreateObject(\"Scripting.FileSystemObject\")",
         u"Server.CreateObject(\"Scripting.FileSystemObject\")|"},
        {u"Server.CreateObject(\"..\")", u"Server.CreateObject(\"|\")"},
        {u"Server.HTMLEncode(\"..\")", u"Server.HTMLEncode(\"|\")"},
        {u"Server.URLEncode(\"..\")", u"Server.URLEncode(\"|\")"},
        {u"Server.MapPath(Request.ServerVariables(\"PATH_INFO\"))",
         u"Server.MapPath(Request.ServerVariables(\"PATH_INFO\"))|"},
    };
    i = 1;
    for (const auto& [entry, expected] : activeSP)
        row(TQuickList::ActiveSP, i++, QString::fromUtf16(entry), QString::fromUtf16(expected));

    const char16_t* serverVars[] = {
        u"AUTH_TYPE",    u"CONTENT_LENGTH",  u"CONTENT_TYPE",    u"GATEWAY_INTERFACE",
        u"HTTP_ACCEPT",  u"HTTP_USER_AGENT", u"PATH_INFO",       u"PATH_TRANSLATED",
        u"QUERY_STRING", u"REMOTE_ADDR",     u"REMOTE_HOST",     u"REMOTE_IDENT",
        u"REMOTE_USER",  u"REQUEST_METHOD",  u"SCRIPT_NAME",     u"SERVER_NAME",
        u"SERVER_PORT",  u"SERVER_PROTOCOL", u"SERVER_SOFTWARE",
    };
    i = 1;
    for (const char16_t* name : serverVars)
        row(TQuickList::ServerVars, i++, QString::fromUtf16(name),
            QString::fromUtf16(name) + u" |"_s);

    const char16_t* entities[][2] = {
        {u"Абзац", u"&para;"},
        {u"Амперсанд", u"&amp;"},
        {u"Меньше", u"&lt;"},
        {u"Валюта", u"&curren;"},
        {u"Вертикальная черта", u"&brvbar;"},
        {u"Градус", u"&deg;"},
        {u"Деление", u"&divide;"},
        {u"Умножить", u"&times;"},
        {u"Иена", u"&yen;"},
        {u"Левая типографская кавычка", u"&laquo;"},
        {u"Правая типографская кавычка", u"&raquo;"},
        {u"Микро", u"&micro;"},
        {u"Неразрываемый пробел", u"&nbsp;"},
        {u"Отрицание", u"&not;"},
        {u"Плюс-минус", u"&plusmn;"},
        {u"Первая степень", u"&sup1;"},
        {u"Квадрат", u"&sup2;"},
        {u"Куб", u"&sup3;"},
        {u"Параграф", u"&sect;"},
        {u"Прямая кавычка", u"&quot;"},
        {u"Половина", u"&frac12;"},
        {u"Четверть", u"&frac14;"},
        {u"Торговая марка", u"&trade;"},
        {u"Точка-маркер", u"&middot;"},
        {u"Фунт", u"&pound;"},
        {u"Цент", u"&cent;"},
    };
    i = 1;
    for (const auto& [entry, entity] : entities)
        row(TQuickList::SpecChars, i++, QString::fromUtf16(entry),
            QString::fromUtf16(entity) + u'|');
}

void TestQuickLists::textEntries() {
    QFETCH(TQuickList, list);
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QCOMPARE(QuickListItems(list).value(index), entry);
    const TQuickEntry e = QuickListEntry(list, index);
    QCOMPARE(e.Action, TQuickAction::InsertText);
    QCOMPARE(Rendered(e.Insertion), expected);
}

void TestQuickLists::otherEntries_data() {
    QTest::addColumn<TQuickList>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<TQuickAction>("action");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("askPicture");

    for (int n = 1; n <= 6; ++n)
        QTest::addRow("h%d", n) << TQuickList::HeaderStyle << n << u"Заголовок %1"_s.arg(n)
                                << TQuickAction::Heading << u"h%1"_s.arg(n) << false;

    auto form = [](int index, const QString& entry, TQuickAction action, const QString& tag,
                   bool askPicture = false) {
        QTest::addRow("%s", qPrintable(entry))
            << TQuickList::FormElement << index << entry << action << tag << askPicture;
    };
    form(1, u"Строка критерия поиска"_s, TQuickAction::SearchField, {});
    form(2, u"Блокнот"_s, TQuickAction::BlockTagPair, u"textarea"_s);
    form(3, u"Текстовое поле"_s, TQuickAction::InputElement, u"text"_s);
    form(4, u"Поле ввода пароля"_s, TQuickAction::InputElement, u"password"_s);
    form(5, u"Флажок"_s, TQuickAction::InputElement, u"checkbox"_s);
    form(6, u"Переключатель"_s, TQuickAction::InputElement, u"radio"_s);
    form(7, u"Кнопка \"ОК\""_s, TQuickAction::InputElement, u"submit"_s);
    form(8, u"Кнопка \"Отмена\""_s, TQuickAction::InputElement, u"reset"_s);
    form(9, u"Кнопка"_s, TQuickAction::InputElement, u"button"_s);
    form(10, u"Кнопка с рисунком"_s, TQuickAction::InputElement, u"image"_s, true);
    form(11, u"Файл"_s, TQuickAction::InputElement, u"file"_s);
    form(12, u"Скрытый элемент"_s, TQuickAction::InputElement, u"hidden"_s);
}

void TestQuickLists::otherEntries() {
    QFETCH(TQuickList, list);
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(TQuickAction, action);
    QFETCH(QString, tag);
    QFETCH(bool, askPicture);
    QCOMPARE(QuickListItems(list).value(index), entry);
    const TQuickEntry e = QuickListEntry(list, index);
    QCOMPARE(e.Action, action);
    QCOMPARE(e.Tag, tag);
    QCOMPARE(e.AskPicture, askPicture);
}

void TestQuickLists::composedTexts_data() {
    QTest::addColumn<TInsertion>("insertion");
    QTest::addColumn<QString>("expected");
    QTest::newRow("search field, preset") << SearchFieldInsertion(SearchFieldPreset())
                                          << u"<isindex prompt=\"Искать текст:\" size=\"|\" />\n"_s;
    QTest::newRow("search field, empty prompt")
        << SearchFieldInsertion({}) << u"<isindex prompt=\"\" size=\"|\" />\n"_s;
    QTest::newRow("script, language kept as given")
        << ScriptBlockInsertion(u"JScript"_s)
        << u"<script language=\"JScript\" type=\"text/jscript\">\n<![CDATA[\n|\n\n]]>\n"
           u"</script>\n"_s;
    // Only the first occurrence of each marker counts.
    QTest::newRow("asp, first dots only") << ActiveSPInsertion(u"a(..)b(..)"_s) << u"a(|)b(..)"_s;
    QTest::newRow("asp, three dots") << ActiveSPInsertion(u"x...y"_s) << u"x|.y"_s;
    QTest::newRow("server tag, tags before quotes")
        << ColdFusionInsertion(u"<A B=\"\"></A>"_s) << u"<a b=\"\">|</a>"_s;
    QTest::newRow("server tag, empty") << ColdFusionInsertion({}) << u"|"_s;
    QTest::newRow("server tag, cyrillic lowered")
        << ColdFusionInsertion(u"<CFSET ИМЯ=\"\">"_s) << u"<cfset имя=\"|\">"_s;
}

void TestQuickLists::composedTexts() {
    QFETCH(TInsertion, insertion);
    QFETCH(QString, expected);
    QCOMPARE(Rendered(insertion), expected);
}

void TestQuickLists::splitExchange_data() {
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("given");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    const QChar esc(27);
    QTest::newRow("cancelled") << QString() << false << QString() << QString();
    QTest::newRow("name and value")
        << u"text1"_s + esc + u"_emptyparam"_s << true << u"text1"_s << u"_emptyparam"_s;
    QTest::newRow("empty value") << u"n"_s + esc << true << u"n"_s << QString();
    QTest::newRow("value keeps blanks") << u"n"_s + esc + u"  v "_s << true << u"n"_s << u"  v "_s;
    QTest::newRow("split at the first ESC")
        << u"n"_s + esc + u"a"_s + esc + u"b"_s << true << u"n"_s << u"a"_s + esc + u"b"_s;
    QTest::newRow("no ESC: all name") << u"n"_s << true << u"n"_s << QString();
}

void TestQuickLists::splitExchange() {
    QFETCH(QString, slot);
    QFETCH(bool, given);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QString n = u"untouched"_s, v = u"untouched"_s;
    QCOMPARE(SplitCtrlExchange(slot, &n, &v), given);
    if (given) {
        QCOMPARE(n, name);
        QCOMPARE(v, value);
    } else {
        QCOMPARE(n, u"untouched"_s);
    }
}

QTEST_APPLESS_MAIN(TestQuickLists)
#include "tst_quicklists.moc"
