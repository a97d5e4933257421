#include "app/documentlogic.h"

#include "app/rcstring.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

const char16_t kOpenDialogFilter[] = u"HTML|*.*htm*|XHTML|*.xhtml|ASP|*.asp*|Cold Fusion|*.cfm*|"
                                     u"PHP|*.php*|CSS|*.css|XML|*.xml|XSL|*.xsl";
const char16_t kSaveAsDialogFilter[] =
    u"XHTML|*.xhtml|HTML|*.*htm*|Cold Fusion|*.cfm*|ASP|*.asp|CSS|*.css";

namespace {
bool IsRoot(const QString& folder, QChar sep) {
    if (sep == u'\\')
        return folder.size() == 3; // "C:\"
    return folder == QString(sep);
}
} // namespace

QString ProposedSaveAsName(const QString& folder, QChar sep) {
    const QString untitled = LoadStr(sUntitled);
    if (IsRoot(folder, sep))
        return folder + untitled;
    return folder + sep + untitled;
}

QString SaveAsTypeChangeName(const QString& folder, int typeIndex, QChar sep) {
    static const char16_t* const exts[] = {u".xhtml", u".html", u".cfm", u".asp", u""};
    const QString ext =
        typeIndex >= 0 && typeIndex < 5 ? QString::fromUtf16(exts[typeIndex]) : QString();
    // The type change joins with "/" in the Windows form as well; the dialog accepts both.
    const QString join = IsRoot(folder, sep) ? QString() : u"/"_s;
    return folder + join + LoadStr(sUntitled) + ext;
}

QString TabCaptionFor(const QString& path) {
    return QFileInfo(path).fileName();
}

QString PreviewFileFor(const QString& documentPath) {
    return QDir(QFileInfo(documentPath).absolutePath()).filePath(LoadStr(sPreviewFileName));
}

bool AnyFlagSet(const QStringList& flags) {
    return flags.contains(u"1"_s);
}
