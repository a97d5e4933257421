#include "markup/elementlogic.h"

#include "site/toolfunc.h"

#include <QStringList>

using namespace Qt::StringLiterals;

void AppendAttribute(QString& text, const QString& name, const QString& value) {
    text += u' ' + name + u"=\""_s + value + u'"';
}

void AppendFilled(QString& text, const QString& name, const QString& value) {
    if (!value.trimmed().isEmpty())
        AppendAttribute(text, name, value);
}

void AppendClass(QString& text, const QString& chosenClass) {
    if (!chosenClass.isEmpty())
        AppendAttribute(text, u"class"_s, chosenClass);
}

TPathRules NativePathRules() {
    return {u'/', false, Qt::CaseSensitive};
}
TPathRules DrivePathRules() {
    return {u'\\', true, Qt::CaseInsensitive};
}

namespace {
// Links are written with "/"; on Linux a backslash is part of a file name and stays.
QString LinkSpelling(const QString& path, QChar sep) {
    return sep == u'\\' ? ReplaceChar(path, u'\\', u'/', true) : path;
}

// "C:" of "C:\dir\file", or empty.
QString DriveOf(const QString& path, const TPathRules& rules) {
    if (!rules.Drives || path.size() < 2 || path.at(1) != u':')
        return {};
    return path.left(2);
}
} // namespace

QString PageRelativePath(const QString& chosenFile, const QString& pageFile,
                         const TPathRules& rules) {
    const QChar sep = rules.Separator;
    const QString pageName = ExtractFileName(pageFile, sep);
    const QString chosenDrive = DriveOf(chosenFile, rules);
    const QString pageDrive = DriveOf(pageFile, rules);
    // A page never saved has no folder to be relative to.
    if (pageName.isEmpty() || chosenDrive.compare(pageDrive, Qt::CaseInsensitive) != 0)
        return LinkSpelling(chosenFile, sep);

    const auto folders = [&](const QString& path, const QString& drive) {
        return ExtractFileDir(path.mid(drive.size()), sep).split(sep, Qt::SkipEmptyParts);
    };
    const QStringList pageDirs = folders(pageFile, pageDrive);
    const QStringList fileDirs = folders(chosenFile, chosenDrive);
    qsizetype common = 0;
    while (common < pageDirs.size() && common < fileDirs.size() &&
           pageDirs.at(common).compare(fileDirs.at(common), rules.FolderCase) == 0)
        ++common;
    QString result;
    for (qsizetype i = common; i < pageDirs.size(); ++i)
        result += u".."_s + sep;
    for (qsizetype i = common; i < fileDirs.size(); ++i)
        result += fileDirs.at(i) + sep;
    result += ExtractFileName(chosenFile, sep);
    return LinkSpelling(result, sep);
}
