#include "app/previewlogic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

QUrl BrowserTestUrl(const QString& rootDir, const QString& mainPage) {
    QString page = mainPage;
    page.replace(u'\\', u'/');
    while (page.startsWith(u'/'))
        page.remove(0, 1);
    const QString root = QDir::fromNativeSeparators(rootDir);
    const QString path = page.isEmpty() ? root : QDir(root).filePath(page);
    return QUrl::fromLocalFile(QDir::cleanPath(path));
}

QString PrintJobTitle(const QString& pageTitle) {
    return u"Quorvane - "_s + pageTitle;
}

QStringList HelpFolders(const QString& programDir) {
    const QDir dir(programDir);
    return {dir.absolutePath(), QDir::cleanPath(dir.absoluteFilePath(u"../share/quorvane"_s))};
}

QString FindHelpFile(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo fi(QDir(folder).filePath(QString::fromUtf16(kHelpFileName)));
        if (fi.isFile())
            return fi.absoluteFilePath();
    }
    return {};
}

bool MayWritePreviewAt(const QString& path, bool wroteIt) {
    struct stat st {};
    // lstat: a link is judged as a link, never by what it names.
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode) && wroteIt;
}
