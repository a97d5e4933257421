#include "markup/quicklistdata.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

const QStringList& HeaderStyleItems() {
    static const QStringList items{u"Обычный"_s,     u"Заголовок 1"_s, u"Заголовок 2"_s,
                                   u"Заголовок 3"_s, u"Заголовок 4"_s, u"Заголовок 5"_s,
                                   u"Заголовок 6"_s};
    return items;
}

struct TFormEntry {
    const char16_t* Caption;
    TQuickAction Action;
    const char16_t* Tag;
};

// Index 0 is the caption entry.
const std::array<TFormEntry, 13> FormEntries{{
    {u"Элементы web-форм", TQuickAction::None, u""},
    {u"Строка критерия поиска", TQuickAction::SearchField, u""},
    {u"Блокнот", TQuickAction::BlockTagPair, u"textarea"},
    {u"Текстовое поле", TQuickAction::InputElement, u"text"},
    {u"Поле ввода пароля", TQuickAction::InputElement, u"password"},
    {u"Флажок", TQuickAction::InputElement, u"checkbox"},
    {u"Переключатель", TQuickAction::InputElement, u"radio"},
    {u"Кнопка \"ОК\"", TQuickAction::InputElement, u"submit"},
    {u"Кнопка \"Отмена\"", TQuickAction::InputElement, u"reset"},
    {u"Кнопка", TQuickAction::InputElement, u"button"},
    {u"Кнопка с рисунком", TQuickAction::InputElement, u"image"},
    {u"Файл", TQuickAction::InputElement, u"file"},
    {u"Скрытый элемент", TQuickAction::InputElement, u"hidden"},
}};
constexpr int ImageButtonIndex = 10;

const QStringList& FormElementItems() {
    static const QStringList items = [] {
        QStringList out;
        for (const TFormEntry& e : FormEntries)
            out << QString::fromUtf16(e.Caption);
        return out;
    }();
    return items;
}

const QStringList& ScriptTypeItems() {
    static const QStringList items{u"Сценарий"_s,      u"JavaScript"_s, u"JavaScript1.1"_s,
                                   u"JavaScript1.2"_s, u"VBScript"_s,   u"TCL"_s};
    return items;
}

const QStringList& ColdFusionItems() {
    static const QStringList items{
        u"Расширения Cold Fusion"_s,
        u"<CFQUERY NAME=\"\" DATASOURCE=\"\"></CFQUERY>"_s,
        u"<CFOUTPUT></CFOUTPUT>"_s,
        u"<CFOUTPUT QUERY=\"\"></CFOUTPUT>"_s,
        u"<CFSET>"_s,
        u"<CFMAIL TO=\"\" FROM=\"\" SUBJECT=\"\"></CFMAIL>"_s,
        u"<CFREPORT REPORT=\"\"></CFREPORT>"_s,
        u"<CFINCLUDE TEMPLATE=\"\">"_s,
        u"<CFLOCATION URL=\"\" />"_s,
        u"<CFCONTENT TYPE=\"\" FILE=\"\" />"_s,
        u"<CFCOOKIE NAME=\"\" VALUE=\"\" EXPIRES=\"\" />"_s,
        u"<CFTRANSACTION ISOLATION=\"\"></CFTRANSACTION>"_s,
        u"<CFFILE ACTION=\"UPLOAD\" FILEFIELD=\"\" DESTINATION=\"\" />"_s,
        u"<CFLOOP></CFLOOP>"_s,
        u"<CFLOOP CONDITION=\"\"></CFLOOP>"_s,
        u"<CFLOOP INDEX=\"\" FROM=\"\" TO=\"\"></CFLOOP>"_s,
        u"<CFIF />"_s,
        u"<CFIF></CFIF>"_s,
        u"<CFELSE />"_s,
        u"<CFELSEIF />"_s,
    };
    return items;
}

const QStringList& ActiveSPItems() {
    static const QStringList items{
        u"Сценарии Active Server Pages"_s,
        u"CreateObject(\"..\")"_s,
        u"Do While "_s,
        u"Do While Not "_s,
        u"Request.Form(\"..\")"_s,
        u"Request.QueryString(\"..\")"_s,
        u"Request.ServerVariables(\"..\")"_s,
        u"Response.Write(..)"_s,
        u"Session(\"..\")"_s,
        u"Server.CreateObject(\"ADODB.Connection\")"_s,
        u"Server.CreateObject(\"ADODB.Recordset\")"_s,
        u"Server.CreateObject(\"ADODB.Command\")"_s,
        u"Server.CreateObject(\"MSWC.AdRotator\")"_s,
        u"Server.CreateObject(\"MSWC.BrowserType\")"_s,
        u"Server.CreateObject(\"MSWC.NextLink\")"_s,
        u"Server.CreateObject(\"Scripting.FileSystemObject\")"_s,
        u"Server.CreateObject(\"..\")"_s,
        u"Server.HTMLEncode(\"..\")"_s,
        u"Server.URLEncode(\"..\")"_s,
        u"Server.MapPath(Request.ServerVariables(\"PATH_INFO\"))"_s,
    };
    return items;
}

const QStringList& ServerVarItems() {
    static const QStringList items{
        u"Переменные окружения"_s, u"AUTH_TYPE"_s,    u"CONTENT_LENGTH"_s,  u"CONTENT_TYPE"_s,
        u"GATEWAY_INTERFACE"_s,    u"HTTP_ACCEPT"_s,  u"HTTP_USER_AGENT"_s, u"PATH_INFO"_s,
        u"PATH_TRANSLATED"_s,      u"QUERY_STRING"_s, u"REMOTE_ADDR"_s,     u"REMOTE_HOST"_s,
        u"REMOTE_IDENT"_s,         u"REMOTE_USER"_s,  u"REQUEST_METHOD"_s,  u"SCRIPT_NAME"_s,
        u"SERVER_NAME"_s,          u"SERVER_PORT"_s,  u"SERVER_PROTOCOL"_s, u"SERVER_SOFTWARE"_s,
    };
    return items;
}

struct TSpecChar {
    const char16_t* Caption;
    const char16_t* Entity;
};

const std::array<TSpecChar, 27> SpecChars{{
    {u"Специальные символы", u""},
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
}};

const QStringList& SpecCharItems() {
    static const QStringList items = [] {
        QStringList out;
        for (const TSpecChar& e : SpecChars)
            out << QString::fromUtf16(e.Caption);
        return out;
    }();
    return items;
}

TQuickEntry TextEntry(const TInsertion& insertion) {
    TQuickEntry e;
    e.Action = TQuickAction::InsertText;
    e.Insertion = insertion;
    return e;
}

// The caret offset that leaves the caret at position pos of text.
int CaretBefore(const QString& text, qsizetype pos) {
    return int(text.size() - pos);
}

} // namespace

QStringList QuickListItems(TQuickList list) {
    switch (list) {
    case TQuickList::HeaderStyle:
        return HeaderStyleItems();
    case TQuickList::FormElement:
        return FormElementItems();
    case TQuickList::ScriptType:
        return ScriptTypeItems();
    case TQuickList::ColdFusion:
        return ColdFusionItems();
    case TQuickList::ActiveSP:
        return ActiveSPItems();
    case TQuickList::ServerVars:
        return ServerVarItems();
    case TQuickList::SpecChars:
        return SpecCharItems();
    }
    return {};
}

TQuickEntry QuickListEntry(TQuickList list, int index) {
    const QStringList items = QuickListItems(list);
    if (index <= 0 || index >= items.size())
        return {};
    const QString& item = items[index];
    switch (list) {
    case TQuickList::HeaderStyle: {
        TQuickEntry e;
        e.Action = TQuickAction::Heading;
        e.Tag = u"h%1"_s.arg(index);
        return e;
    }
    case TQuickList::FormElement: {
        const TFormEntry& f = FormEntries[size_t(index)];
        TQuickEntry e;
        e.Action = f.Action;
        e.Tag = QString::fromUtf16(f.Tag);
        e.AskPicture = index == ImageButtonIndex;
        return e;
    }
    case TQuickList::ScriptType:
        return TextEntry(ScriptBlockInsertion(item));
    case TQuickList::ColdFusion:
        return TextEntry(ColdFusionInsertion(item));
    case TQuickList::ActiveSP:
        return TextEntry(ActiveSPInsertion(item));
    case TQuickList::ServerVars:
        return TextEntry(ServerVarInsertion(item));
    case TQuickList::SpecChars:
        return TextEntry({QString::fromUtf16(SpecChars[size_t(index)].Entity), 0, false});
    }
    return {};
}

TInsertion ScriptBlockInsertion(const QString& language) {
    const QString text = u"<script language=\""_s + language + u"\" type=\"text/"_s +
                         language.toLower() + u"\">\n<![CDATA[\n\n\n]]>\n</script>"_s;
    return {text, 15, true};
}

TInsertion ColdFusionInsertion(const QString& entry) {
    const QString text = entry.toLower();
    qsizetype caret = text.indexOf(u"></"_s);
    if (caret >= 0)
        caret += 1;
    else if ((caret = text.indexOf(u"\"\""_s)) >= 0)
        caret += 1;
    else
        caret = text.size();
    return {text, CaretBefore(text, caret), false};
}

TInsertion ActiveSPInsertion(const QString& entry) {
    QString text = entry;
    const qsizetype dots = text.indexOf(u".."_s);
    if (dots < 0)
        return {text, 0, false};
    text.remove(dots, 2);
    return {text, CaretBefore(text, dots), false};
}

TInsertion ServerVarInsertion(const QString& name) {
    return {name + u' ', 0, false};
}

TInsertion SearchFieldInsertion(const QString& prompt) {
    return {u"<isindex prompt=\""_s + prompt + u"\" size=\"\" />"_s, 4, true};
}

QString ImageSourceAttribute(const QString& fileName) {
    return u" src=\""_s + fileName + u'"';
}

QString SearchFieldCaption() {
    return u"Строка критерия поиска"_s;
}
QString SearchFieldPrompt() {
    return u"Введите поясняющий текст"_s;
}
QString SearchFieldPreset() {
    return u"Искать текст:"_s;
}

TCtrlSetup CtrlSetup(TCtrlMode mode, const QString& elementType) {
    switch (mode) {
    case TCtrlMode::Element:
        return {u"Элемент "_s + elementType.toUpper(), u"Имя:"_s, elementType + u'1',
                u"_emptyparam"_s, u"Необходимо указать имя элемента"_s};
    case TCtrlMode::Attribute:
        return {
            u"Добавление атрибута тега"_s, u"Имя:"_s, {}, {}, u"Необходимо указать имя атрибута"_s};
    case TCtrlMode::ListItem:
        return {u"Добавление элемента выпадающего списка"_s,
                u"Текст:"_s,
                {},
                {},
                u"Необходимо ввести текст элемента"_s};
    }
    return {};
}

QString CtrlExchangeText(const QString& name, const QString& value) {
    return name + CtrlSeparator + value;
}

bool SplitCtrlExchange(const QString& slot, QString* name, QString* value) {
    if (slot.isEmpty())
        return false;
    const qsizetype sep = slot.indexOf(CtrlSeparator);
    if (name)
        *name = sep < 0 ? slot : slot.left(sep);
    if (value)
        *value = sep < 0 ? QString() : slot.mid(sep + 1);
    return true;
}
