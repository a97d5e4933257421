#include "site/WebSite.h"

#include "app/inifile.h"
#include "site/sitelogic.h"
#include "site/toolfunc.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString General = u"General"_s;
}

TWebSite::TWebSite(QObject* parent) : QObject(parent), FRootDir(QDir::homePath()) {}

void TWebSite::setRootDir(const QString& value) {
    if (value.isEmpty() || !QFileInfo(value).isDir())
        return;
    FRootDir = value;
    FCurrentSubDir.clear();
    emit OnSetRoot(this);
    if (FAutoList)
        ListDirectory();
}

void TWebSite::setMainPage(const QString& value) {
    if (IsHtmlFile(value) && IsValidFileName(value))
        FMainPage = value;
}

void TWebSite::setActive(bool value) {
    if (!value) {
        FActive = false;
        return;
    }
    if (FActive)
        return;
    FActive = true;
    if (FAutoList)
        ListDirectory();
}

QString TWebSite::EntryPath(const QString& name) const {
    return SiteEntryPath(FRootDir, FCurrentSubDir, name);
}

QString TWebSite::CurrentFolder() const {
    return SiteFolderPath(FRootDir, FCurrentSubDir);
}

void TWebSite::DirectoryChanged() {
    emit OnChangeDirectory(this);
    if (FAutoList)
        ListDirectory();
}

void TWebSite::CreateDirectory(const QString& name) {
    if (!IsValidDirName(name))
        return;
    if (!QDir().mkpath(EntryPath(name)) || !QFileInfo(EntryPath(name)).isDir())
        return;
    FCurrentSubDir = FCurrentSubDir.isEmpty() ? name : FCurrentSubDir + u'/' + name;
    emit OnCreateDirectory(this);
    if (FAutoList)
        ListDirectory();
}

void TWebSite::ChangeDirectory(const QString& name) {
    if (name == u".."_s) {
        if (FCurrentSubDir.isEmpty())
            return;
        FCurrentSubDir = ParentSubDir(FCurrentSubDir);
        DirectoryChanged();
        return;
    }
    // One component only: a name with a separator or "." could leave the project.
    if (name.isEmpty() || name == u"."_s || name.contains(u'/') ||
        name.contains(QDir::separator()) || !QFileInfo(EntryPath(name)).isDir())
        return;
    FCurrentSubDir = FCurrentSubDir.isEmpty() ? name : FCurrentSubDir + u'/' + name;
    DirectoryChanged();
}

void TWebSite::ListDirectory() {
    const QDir dir(CurrentFolder());
    // Dot-named folders are left out, dot-named files (.htaccess) are not; devices, pipes and
    // sockets never show.
    const QFileInfoList dirs = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& d : dirs) {
        if (!d.fileName().startsWith(u'.'))
            emit OnListDirectory(this, d.fileName(), dftDirectory);
    }
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& f : files) {
        if (!FActive)
            break;
        emit OnListDirectory(this, f.fileName(), dftFile);
    }
    emit OnDirectoryListed(this);
}

void TWebSite::LoadFromFile(const QString& fileName) {
    if (!QFileInfo(fileName).isFile())
        return;
    const TIniSnapshot ini = TIniFile(fileName).Load();
    FTitle = ini.ReadString(General, u"Title", QString());
    setMainPage(ini.ReadString(General, u"MainPage", u"index.html"_s));
    FRootDir = ini.ReadString(General, u"RootDir", QDir::homePath());
    FCurrentSubDir.clear();
    FActive = true;
    emit OnLoad(this);
    if (FAutoList)
        ListDirectory();
}

void TWebSite::SaveToFile(const QString& fileName) {
    TIniFile(fileName).WriteValues({{General, u"Title"_s, FTitle},
                                    {General, u"MainPage"_s, FMainPage},
                                    {General, u"RootDir"_s, FRootDir}});
    emit OnSave(this);
}
