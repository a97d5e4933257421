#include "app/documentset.h"

#include "app/documentlogic.h"
#include "app/rcstring.h"
#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

QString CleanAbsolutePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

TDocumentSet::TDocumentSet(QObject* parent) : QObject(parent) {}

TDocumentSet::~TDocumentSet() {
    // However the window ends, no preview copy of this run stays behind beside the pages.
    DeleteAllPreviewFiles();
}

int TDocumentSet::Find(const QString& path) const {
    const QString p = CleanAbsolutePath(path);
    for (int i = 0; i < Count(); ++i)
        if (CleanAbsolutePath(FDocuments[i]->Path()).compare(p, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TDocumentSet::CurrentPath() const {
    const TDocument* d = Current();
    return d ? d->Path() : QString();
}

void TDocumentSet::SetCurrent(int index) {
    if (index < 0 || index >= Count())
        return;
    FCurrent = index;
    emit CurrentChanged(index);
}

TDocument* TDocumentSet::Open(const QString& path, bool readOnly) {
    TReadInfo info;
    const QString text = ReadTextFile(path, &info);
    auto* d = new TDocument(path, text, this);
    d->setBinary(info.HasNul);
    d->setReadOnly(readOnly || info.HasNul);
    return Insert(d);
}

TDocument* TDocumentSet::Add(const QString& path, const QString& text, bool readOnly) {
    auto* d = new TDocument(path, text, this);
    d->setReadOnly(readOnly);
    return Insert(d);
}

TDocument* TDocumentSet::Insert(TDocument* document) {
    FDocuments << document;
    connect(document, &TDocument::ModifiedChanged, this, [this, document](bool modified) {
        const int i = IndexOf(document);
        if (i >= 0)
            emit ModifiedChanged(i, modified);
    });
    emit DocumentAdded(Count() - 1);
    return document;
}

void TDocumentSet::Remove(int index) {
    if (index < 0 || index >= Count())
        return;
    TDocument* d = FDocuments.takeAt(index);
    if (FCurrent == index)
        FCurrent = -1;
    else if (FCurrent > index)
        --FCurrent;
    emit DocumentRemoved(index);
    // The editor may still show it until the signal's receivers have moved on.
    d->deleteLater();
}

void TDocumentSet::Clear() {
    const QList<TDocument*> all = FDocuments;
    FDocuments.clear();
    FCurrent = -1;
    emit Cleared();
    for (TDocument* d : all)
        d->deleteLater();
}

void TDocumentSet::ReloadAll() {
    for (TDocument* d : std::as_const(FDocuments)) {
        TReadInfo info;
        d->SetText(ReadTextFile(d->Path(), &info));
        d->setBinary(info.HasNul);
        if (info.HasNul)
            d->setReadOnly(true);
    }
}

int TDocumentSet::Save(int index) {
    TDocument* d = At(index);
    if (!d)
        return 0;
    if (d->Binary())
        throw EFileError(FormatStr(sBinaryNotSaved, QDir::toNativeSeparators(d->Path())));
    const int references = WriteTextFile(d->Path(), d->Text(), UnencodablePolicyFor(d->Path()));
    d->setModified(false);
    return references;
}

int TDocumentSet::SaveAs(int index, const QString& path) {
    TDocument* d = At(index);
    if (!d)
        return 0;
    const int references = WriteTextFile(path, d->Text(), UnencodablePolicyFor(path));
    d->setPath(path);
    d->setReadOnly(false);
    d->setBinary(false);
    d->setModified(false);
    return references;
}

bool TDocumentSet::AnyModified() const {
    for (const TDocument* d : FDocuments)
        if (d->Modified())
            return true;
    return false;
}

QStringList TDocumentSet::FileNames() const {
    QStringList list;
    for (const TDocument* d : FDocuments)
        list << d->Path();
    return list;
}

QStringList TDocumentSet::ModifiedFlags() const {
    QStringList list;
    for (const TDocument* d : FDocuments)
        list << (d->Modified() ? u"1"_s : u"0"_s);
    return list;
}

QStringList TDocumentSet::ReadOnlyFlags() const {
    QStringList list;
    for (const TDocument* d : FDocuments)
        list << (d->ReadOnly() ? u"1"_s : u"0"_s);
    return list;
}

void TDocumentSet::SetPreviewFileFor(const QString& documentPath) {
    FPreviewFile = documentPath.isEmpty() ? QString() : PreviewFileFor(documentPath);
}

void TDocumentSet::WritePreviewFile(const QString& text) {
    if (FPreviewFile.isEmpty())
        return;
    const QString target = CleanAbsolutePath(FPreviewFile);
    if (Find(target) >= 0)
        throw EFileError(FormatStr(sPreviewIsDocument, QDir::toNativeSeparators(target)));
    ReplaceWithPage(target, text);
    FPreviewsWritten.insert(target);
}

bool TDocumentSet::WrotePreviewFile(const QString& path) const {
    return !path.isEmpty() && FPreviewsWritten.contains(CleanAbsolutePath(path));
}

bool TDocumentSet::RemovePreviewIfOurs(const QString& path) {
    const QString p = CleanAbsolutePath(path);
    // Only a copy this run wrote, and never a page the user has open under that name.
    if (!FPreviewsWritten.contains(p) || Find(p) >= 0)
        return false;
    FPreviewsWritten.remove(p);
    // unlink removes a link itself, never what it names.
    return ::unlink(QFile::encodeName(p).constData()) == 0;
}

void TDocumentSet::DeletePreviewFile() {
    if (!FPreviewFile.isEmpty())
        RemovePreviewIfOurs(FPreviewFile);
}

void TDocumentSet::DeleteAllPreviewFiles() {
    const QSet<QString> all = FPreviewsWritten;
    for (const QString& p : all)
        RemovePreviewIfOurs(p);
}
