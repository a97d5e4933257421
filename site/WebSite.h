// One project (a "site"): its title, the root folder that holds its files, its main page and the
// current folder below the root that the site browser shows. It reads and writes project files
// and lists the current folder by raising one event per entry.
#pragma once

#include "site/dirfiletype.h"

#include <QObject>
#include <QString>

class TWebSite : public QObject {
    Q_OBJECT

public:
    explicit TWebSite(QObject* parent = nullptr);

    const QString& Title() const { return FTitle; }
    void setTitle(const QString& value) { FTitle = value; }

    // Taken only when it names an existing folder (otherwise ignored); the current folder goes
    // back to the root, OnSetRoot is raised and, with AutoList, the root is listed.
    const QString& RootDir() const { return FRootDir; }
    void setRootDir(const QString& value);

    // A bare page name (IsHtmlFile and IsValidFileName); anything else is ignored.
    const QString& MainPage() const { return FMainPage; }
    void setMainPage(const QString& value);

    bool Active() const { return FActive; }
    void setActive(bool value);

    bool AutoList() const { return FAutoList; }
    void setAutoList(bool value) { FAutoList = value; }

    // The current folder below the root, components joined by "/", empty at the root.
    const QString& CurrentSubDir() const { return FCurrentSubDir; }
    // The path of an entry of the current folder, and of the current folder itself.
    QString EntryPath(const QString& name) const;
    QString CurrentFolder() const;

    // Creates the folder (with missing parents) when the name passes IsValidDirName and enters
    // it. Nothing happens for a bad name or a failed creation.
    void CreateDirectory(const QString& name);
    // ".." goes up one level (nothing at the root); any other name enters that subfolder when
    // it exists. Events and listing only when the current folder changed.
    void ChangeDirectory(const QString& name);
    // Reports the subfolders (never dot-named ones), then, while active, the files, then
    // OnDirectoryListed.
    void ListDirectory();

    // A missing file changes nothing. Otherwise the project is read (the root taken as stored),
    // made active and, with AutoList, listed.
    void LoadFromFile(const QString& fileName);
    // Throws EFileError when the file cannot be written.
    void SaveToFile(const QString& fileName);

signals:
    void OnSetRoot(TWebSite* Sender);
    void OnCreateDirectory(TWebSite* Sender);
    void OnChangeDirectory(TWebSite* Sender);
    void OnListDirectory(TWebSite* Sender, const QString& Filename, TDirectoryFileType FileType);
    void OnDirectoryListed(TWebSite* Sender);
    void OnLoad(TWebSite* Sender);
    void OnSave(TWebSite* Sender);

private:
    void DirectoryChanged();

    QString FTitle;
    QString FRootDir;
    QString FMainPage = QStringLiteral("index.html");
    QString FCurrentSubDir;
    bool FActive = false;
    bool FAutoList = false;
};
