#include "app/rcstring.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

const QHash<int, QString>& Table() {
    static const QHash<int, QString> table = {
        {sRootDirCaption, u"[ Корневой каталог ]"_s},
        {sProjectRootNotFound, u"Не найден корневой каталог проекта"_s},
        {sBadMainPageName, u"Укажите корректное имя файла для главной страницы файла"_s},
        {sEditProjectTitle, u"Редактирование проекта"_s},
        {sDeletingDirectory, u"Удаление каталога %s..."_s},
        {sCopyFileCaption, u"Копирование файла"_s},
        {sCopyFilePrompt, u"Выберите папку, в которую следует скопировать %s"_s},
        {sMoveFileCaption, u"Перемещение файла"_s},
        {sMoveFilePrompt, u"Выберите папку, в которую следует переместить %s"_s},
        {sNeedProjectTitle, u"Необходимо указать название проекта"_s},
        {sProjectExists, u"Проект с таким именем уже существует"_s},
        {sPreviewFileName, u"tmp_no0.html"_s},
        {sRandSentence, u"Съешь еще этих мягких французских булок, да выпей чаю. "_s},
        {sProjectsFolder, u"Projects"_s},
        {sReplaceThisOne, u"Заменить этот экземпляр %s?"_s},
        {sReadOnly, u"Только чтение"_s},
        {sUntitled, u"Безымянный"_s},
        {sSaveChangesIn, u"Сохранить изменения в %s ?"_s},
        {sHelpFileMissing,
         u"Не найден файл справки.\rУбедитесь, что он находится в той же папке, что и программа."_s},
        {sFileNotFound, u"Файл не найден или не существует."_s},
        {sCannotDelete, u"Невозможно удалить %s"_s},
        {sNewSubdirCaption, u"Новый подкаталог"_s},
        {sNewSubdirPrompt, u"Введите имя создаваемого каталога:"_s},
        {sDirExists, u"Папка с указанным именем уже существует."_s},
        {sBadDirName, u"%s не является допустимым именем каталога."_s},
        {sBinaryOpened,
         u"Файл %s содержит двоичные данные (нулевые байты). Он открыт только для чтения и не будет сохранён."_s},
        {sBinaryNotSaved,
         u"Файл %s содержит двоичные данные и открыт только для чтения: он не сохраняется."_s},
        {sPreviewIsDocument,
         u"Файл %s открыт для правки и не может служить копией для просмотра."_s},
        {sReferencesWritten,
         u"Символов, записанных ссылками &#N; (их нет в кодировке Windows-1251): %s"_s},
        {sBrowseOpenFolder, u"Выберите папку, которая будет корневой при открытии файлов"_s},
        {sBrowseSaveFolder,
         u"Выберите папку, которая будет корневой при сохранении создаваемых файлов"_s},
        {sBrowsePicsFolder, u"Выберите папку, которая будет корневой при добавлении графики"_s},
    };
    return table;
}

} // namespace

QString LoadStr(int id) {
    return Table().value(id);
}

QString FormatStr(int id, const QString& arg) {
    QString s = LoadStr(id);
    s.replace(u"%s"_s, arg);
    return s;
}
