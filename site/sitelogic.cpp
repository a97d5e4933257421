#include "site/sitelogic.h"

#include "app/rcstring.h"
#include "app/textfile.h"
#include "site/toolfunc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

QString SiteFolderPath(const QString& rootDir, const QString& subDir, QChar sep) {
    QString path = rootDir;
    if (!subDir.isEmpty()) {
        if (!path.endsWith(sep))
            path += sep;
        path += ReplaceChar(subDir, u'/', sep, true);
    }
    return path;
}

QString SiteEntryPath(const QString& rootDir, const QString& subDir, const QString& name,
                      QChar sep) {
    QString path = SiteFolderPath(rootDir, subDir, sep);
    if (!path.endsWith(sep))
        path += sep;
    return path + name;
}

QString CollapseSeparators(const QString& path, QChar sep) {
    QString result = ReplaceChar(path, u'/', sep, true);
    const QString twice = QString(2, sep);
    while (result.contains(twice))
        result.replace(twice, QString(sep));
    return result;
}

TSiteItemKind SiteItemKind(const QString& name, TDirectoryFileType type) {
    if (type == dftDirectory)
        return sikDirectory;
    if (IsHtmlFile(name))
        return sikPage;
    if (IsImageFile(name))
        return sikPicture;
    return sikOther;
}

void SortSiteItems(QList<TSiteItem>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const TSiteItem& a, const TSiteItem& b) { return a.Kind > b.Kind; });
}

QString SiteListHeader(const QString& subDir) {
    return subDir.isEmpty() ? LoadStr(sRootDirCaption) : subDir;
}

QString ParentSubDir(const QString& subDir) {
    const qsizetype slash = subDir.lastIndexOf(u'/');
    return slash < 0 ? QString() : subDir.left(slash);
}

bool IsAcceptableNewName(const QString& name) {
    return !name.isEmpty() && IsValidFileName(name);
}

QString ProjectTitleProblem(const QString& title) {
    const QString t = title.trimmed();
    if (t.isEmpty())
        return LoadStr(sNeedProjectTitle);
    if (!IsValidFileName(t))
        return u"Название проекта не может содержать символы \\ / : * ? \" < > | и не может "
               u"состоять из одних точек «.» или «..»"_s;
    return {};
}

QString ProjectFilePath(const QString& projectsFolder, const QString& title) {
    return projectsFolder + u'/' + title.trimmed() + u".qsf"_s;
}

QStringList StoredProjects(const QString& projectsFolder) {
    QStringList names;
    const QFileInfoList files =
        QDir(projectsFolder)
            .entryInfoList({u"*.qsf"_s}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& f : files) {
        const QString name = f.fileName();
        // The pattern ignores case on some systems; the extension is ".qsf" exactly.
        if (name.endsWith(u".qsf"_s) && name.size() > 4)
            names << name.chopped(4);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

int IndexAfterRemoval(int index, int count) {
    if (count <= 0)
        return -1;
    return index < count ? index : count - 1;
}

QString DestinationFolder(const QString& typed, QChar sep) {
    return CollapseSeparators(typed.trimmed() + sep, sep);
}

bool FolderIsInsideRoot(const QString& folder, const QString& rootDir, QChar sep) {
    QString root = rootDir;
    if (!root.endsWith(sep))
        root += sep;
    return folder.toLower().contains(root.toLower());
}

namespace {

// Writes the bytes of source to target through a temporary file in the target's folder, so the
// target is either the old file or the whole copy.
bool CopyThroughTemporary(const QString& source, const QString& target) {
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    // A write-then-rename that cannot be done must fail, not fall back to writing in place.
    out.setDirectWriteFallback(false);
    // Unbuffered: commit() does not notice when its own flush of buffered bytes fails (a full
    // disk takes only part of them) and would put a cut-off copy in place. Each write is
    // checked here instead.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit())
        return false;
    QFile::setPermissions(target, QFileInfo(source).permissions());
    // QSaveFile flushes the copy but not the folder's new entry; a move removes its source
    // only once the copy is sure to survive a power failure.
    return SyncParentFolder(target) == 0;
}

bool Exists(const QString& path) {
    // A link counts, even one that points nowhere.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

bool CopyFileReplacing(const QString& source, const QString& target) {
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return true; // the file onto itself: nothing to do
    // QSaveFile writes to the file a link names; the copy goes to the name in the chosen folder.
    if (QFileInfo(target).isSymLink() && !QFile::remove(target))
        return false;
    return CopyThroughTemporary(source, target);
}

bool MoveFileByCopy(const QString& source, const QString& target) {
    if (Exists(target) || !CopyThroughTemporary(source, target))
        return false;
    // The copy is complete; only now may the source go. If it cannot, both stay.
    QFile::remove(source);
    return true;
}

bool MoveFileSafely(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile() || Exists(target))
        return false;
    const QByteArray from = QFile::encodeName(source), to = QFile::encodeName(target);
    if (std::rename(from.constData(), to.constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    return MoveFileByCopy(source, target);
}
