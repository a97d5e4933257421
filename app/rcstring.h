// The program's message table: fixed Russian texts by identifier (65200..65279).
#pragma once

#include <QString>

enum TResString : int {
    sRootDirCaption = 65200,      // "[ Корневой каталог ]"
    sProjectRootNotFound = 65201, // "Не найден корневой каталог проекта"
    sBadMainPageName = 65202, // "Укажите корректное имя файла для главной страницы файла"
    sEditProjectTitle = 65203,  // "Редактирование проекта"
    sDeletingDirectory = 65204, // "Удаление каталога %s..."
    sCopyFileCaption = 65206,   // "Копирование файла"
    sCopyFilePrompt = 65207, // "Выберите папку, в которую следует скопировать %s"
    sMoveFileCaption = 65208, // "Перемещение файла"
    sMoveFilePrompt = 65209, // "Выберите папку, в которую следует переместить %s"
    sNeedProjectTitle = 65230, // "Необходимо указать название проекта"
    sProjectExists = 65231, // "Проект с таким именем уже существует"
    sPreviewFileName = 65232, // "tmp_no0.html"
    sRandSentence = 65233, // "Съешь еще этих мягких французских булок, да выпей чаю. "
    sProjectsFolder = 65234,   // "Projects"
    sReplaceThisOne = 65250,   // "Заменить этот экземпляр %s?"
    sReadOnly = 65251,         // "Только чтение"
    sUntitled = 65252,         // "Безымянный"
    sSaveChangesIn = 65253,    // "Сохранить изменения в %s ?"
    sHelpFileMissing = 65254,  // help file missing, two lines
    sFileNotFound = 65255,     // "Файл не найден или не существует."
    sCannotDelete = 65256,     // "Невозможно удалить %s"
    sNewSubdirCaption = 65257, // "Новый подкаталог"
    sNewSubdirPrompt = 65258,  // "Введите имя создаваемого каталога:"
    sDirExists = 65259, // "Папка с указанным именем уже существует."
    sBadDirName = 65260, // "%s не является допустимым именем каталога."
    sBinaryOpened = 65261,      // the file holds binary data: opened for reading only
    sBinaryNotSaved = 65262,    // a file of binary data is never written back
    sPreviewIsDocument = 65263, // the preview copy's name is an open page
    sReferencesWritten = 65264, // "%s" characters written as "&#N;"
    sBrowseOpenFolder = 65276, // folder prompts of the options dialog
    sBrowseSaveFolder = 65277,
    sBrowsePicsFolder = 65278,
};

// The text of a message; an identifier outside the table gives an empty text.
QString LoadStr(int id);
// The text with "%s" replaced by the argument (the table keeps the original placeholders).
QString FormatStr(int id, const QString& arg);
