#include "app/actiontable.h"

#include <array>

namespace {

#define ROW(m, cat, cap, hint, keys, icon)                                                         \
    TActionRow {                                                                                   \
        &TfrmMain::m, #m, cat, cap, hint, keys, icon                                               \
    }

const auto kRows = std::to_array<TActionRow>({
    // File
    ROW(acDefaultPage, u"File", u"&Новый", u"Новый документ", "Ctrl+N", "new"),
    ROW(acOpen, u"File", u"&Открыть", u"Открыть файл", "Ctrl+O", "open"),
    ROW(acSaveAll, u"File", u"Сохранить &все", u"Сохранить все", "", "saveall"),
    ROW(acSaveAs, u"File", u"Сохранить как...", u"Сохранить файл как...", "", "saveas"),
    ROW(acSave, u"File", u"&Сохранить", u"Сохранить файл", "Ctrl+S", "save"),
    ROW(acPrnSetup, u"File", u"Настройка принтера", u"Настройка принтера", "", "prnsetup"),
    ROW(acPrint, u"File", u"П&ечать", u"Печать", "Ctrl+P", "print"),
    ROW(acPreview, u"File", u"Тестирование в браузере", u"", "F9", "browser"),
    ROW(acQuit, u"File", u"Выход", u"", "F10", "quit"),
    ROW(acMoveFile, u"File", u"Переместить в...", u"", "", "move"),
    ROW(acCopyFile, u"File", u"Копировать в...", u"", "", "copyfile"),
    ROW(acInternalPreview, u"File", u"Переключение код/просмотр", u"", "F12", "preview"),
    // Edit
    ROW(acUndo, u"Edit", u"Отменить", u"Отменить", "Ctrl+Z", "undo"),
    ROW(acCut, u"Edit", u"Вырезать", u"Вырезать в буфер", "Ctrl+X", "cut"),
    ROW(acCopy, u"Edit", u"Копировать", u"Копировать в буфер", "Ctrl+C", "copy"),
    ROW(acPaste, u"Edit", u"Вставить", u"Вставить из буфера", "Ctrl+V", "paste"),
    ROW(acSelectAll, u"Edit", u"Выделить все", u"Выделить все", "Ctrl+A", "selectall"),
    ROW(acFind, u"Edit", u"Найти", u"Найти", "", "find"),
    ROW(acReplace, u"Edit", u"Заменить", u"Поиск и замена", "", "replace"),
    ROW(acOptions, u"Edit", u"Настройка", u"Настройка", "", "options"),
    ROW(acInsertColor, u"Edit", u"Цвет...", u"Добавить цвет...", "", "color"),
    ROW(acEditTag, u"Edit", u"Правка тега", u"Правка тега", "", "edittag"),
    ROW(acLinkValidate, u"Edit", u"Проверить ссылки", u"Проверить ссылки", "", "validate"),
    // View
    ROW(acNavigator, u"View", u"Навигатор", u"Навигатор", "", "navigator"),
    ROW(acWordWrap, u"View", u"Перенос по словам", u"Перенос по словам", "", "wordwrap"),
    ROW(acFoundFiles, u"View", u"Результаты поиска", u"", "", "found"),
    // Insert
    ROW(acOpeningBrackets, u"Insert", u"Открывающие теговые скобки", u"", "Ctrl+,", "open-br"),
    ROW(acClosingBrackets, u"Insert", u"Закрывающие теговые скобки", u"", "Ctrl+.", "close-br"),
    // Help
    ROW(acHelp, u"Help", u"Справка", u"", "F1", "help"),
    ROW(acAbout, u"Help", u"О программе", u"", "", "about"),
    // Other
    ROW(acUpdatePage, u"Other", u"Обновить", u"", "", "refresh"),
    ROW(acClosePage, u"Other", u"Закрыть этот файл", u"", "Ctrl+F4", "close"),
    // Project
    ROW(acNewProject, u"Project", u"Определить", u"", "", "newproject"),
    ROW(acOpenProject, u"Project", u"Открыть", u"", "", "project"),
    ROW(acEditProject, u"Project", u"Свойства...", u"", "", "editproject"),
    // Texttags
    ROW(acBold, u"Texttags", u"", u"Выделить", "Ctrl+B", "b"),
    ROW(acItalics, u"Texttags", u"", u"Курсив", "Ctrl+I", "i"),
    ROW(acUnderline, u"Texttags", u"", u"Подчеркнуть", "Ctrl+U", "u"),
    ROW(acBr, u"Texttags", u"", u"Разрыв строки", "Ctrl+Return", "br"),
    ROW(acPreformatted, u"Texttags", u"", u"Не форматировать", "", "pre"),
    ROW(acParagraph, u"Texttags", u"", u"Абзац", "", "p"),
    ROW(acFont, u"Texttags", u"", u"Шрифт", "Ctrl+F", "font"),
    ROW(acCenter, u"Texttags", u"", u"Центрировать", "", "center"),
    ROW(acStyle, u"Texttags", u"", u"Таблица стилей", "", "style"),
    // Lists
    ROW(acUl, u"Lists", u"", u"Список", "Ctrl+L", "ul"),
    ROW(acLi, u"Lists", u"", u"Элемент списка", "", "li"),
    // Tables
    ROW(acTable, u"Tables", u"", u"Таблица", "Ctrl+T", "table"),
    ROW(acTr, u"Tables", u"", u"Строка таблицы", "", "tr"),
    ROW(acTd, u"Tables", u"", u"Ячейка таблицы", "", "td"),
    ROW(acCaption, u"Tables", u"", u"Заголовок таблицы", "", "caption"),
    // Misc
    ROW(acAnchor, u"Misc", u"", u"Гиперссылка", "", "a"),
    ROW(acImage, u"Misc", u"", u"Изображение", "", "img"),
    ROW(acMap, u"Misc", u"", u"Карта", "Ctrl+M", "map"),
    ROW(acArea, u"Misc", u"", u"Активная облась карты", "", "area"),
    ROW(acHr, u"Misc", u"", u"Горизонтальная линия", "Ctrl+H", "hr"),
    ROW(acComment, u"Misc", u"", u"Комментарий", "", "comment"),
    ROW(acForm, u"Misc", u"", u"Web-форма", "", "form"),
    ROW(acSelect, u"Misc", u"", u"Выпадающий список", "", "select"),
    ROW(acObject, u"Misc", u"", u"Объект ActiveX", "", "object"),
    ROW(acParam, u"Misc", u"", u"Параметр", "", "param"),
    ROW(acEmbed, u"Misc", u"", u"Контейнер объекта", "", "embed"),
    ROW(acNoembed, u"Misc", u"", u"Контейнеры не поддерживаются", "", "noembed"),
    ROW(acApplet, u"Misc", u"", u"Апплет", "", "applet"),
    ROW(acNoscript, u"Misc", u"", u"Сценарии не поддерживаются", "", "noscript"),
    ROW(acDiv, u"Misc", u"", u"Div", "Ctrl+D", "div"),
    ROW(acShockWaveFlash, u"Misc", u"", u"ShockWave Flash", "Ctrl+W", "flash"),
    // Frames
    ROW(acFrameset, u"Frames", u"", u"Набор фреймов", "", "frameset"),
    ROW(acFrame, u"Frames", u"", u"Фрейм", "", "frame"),
    ROW(acNoframes, u"Frames", u"", u"Фреймы не поддерживаются", "", "noframes"),
});

#undef ROW

} // namespace

std::span<const TActionRow> ActionTable() {
    return kRows;
}
