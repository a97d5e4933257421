// The open documents behind the editor tabs: open, find, switch, save, save all, close, and the
// preview copy beside the shown page. No widgets: the main window keeps the tab bar and the editor
// in step with it through its signals, and every subsystem reaches the documents through here.
#pragma once

#include "app/document.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

class TDocumentSet : public QObject {
    Q_OBJECT

public:
    explicit TDocumentSet(QObject* parent = nullptr);
    ~TDocumentSet() override;

    int Count() const { return int(FDocuments.size()); }
    TDocument* At(int index) const { return FDocuments.value(index); }
    // The index of the document with that path (compared without case, after making it
    // absolute and clean), or -1.
    int Find(const QString& path) const;

    // The shown document's index (-1 with none) and the document itself.
    int IndexOf(const TDocument* document) const { return int(FDocuments.indexOf(document)); }
    int CurrentIndex() const { return FCurrent; }
    TDocument* Current() const { return At(FCurrent); }
    QString CurrentPath() const;
    // Makes another document the shown one and says so (CurrentChanged), also when it already
    // was; an index out of range is ignored.
    void SetCurrent(int index);

    // Adds a document read from the file; it is not made the shown one. Throws EFileError when
    // the file cannot be read.
    TDocument* Open(const QString& path, bool readOnly);
    // Adds a document with the given text (tests and new pages).
    TDocument* Add(const QString& path, const QString& text, bool readOnly = false);
    void Remove(int index);
    void Clear();
    // Reads every document's file again (after a change on disk); the undo histories restart.
    void ReloadAll();

    // Writes a document to its file and marks it unmodified; returns how many characters were
    // written as character references. A binary document is never written (EFileError).
    int Save(int index);
    // Writes the document under a new name, which it then carries (not read-only any more).
    int SaveAs(int index, const QString& path);
    bool AnyModified() const;

    // List views of the documents, in tab order.
    QStringList FileNames() const;
    QStringList ModifiedFlags() const; // "1" or "0"
    QStringList ReadOnlyFlags() const; // "1" or "0"

    // ---- the preview copy ----
    // The preview copy that belongs beside the shown page ("tmp_no0.html" in its folder).
    QString PreviewFile() const { return FPreviewFile; }
    void SetPreviewFileFor(const QString& documentPath);
    // Writes the text to the preview copy as a page. A symbolic link planted at its name is
    // replaced, never followed. Throws EFileError.
    void WritePreviewFile(const QString& text);
    // True when this run wrote the preview copy at that path (and has not removed it since).
    bool WrotePreviewFile(const QString& path) const;
    // Removes the preview copy, but only one this run wrote, and never an open document.
    void DeletePreviewFile();
    // Removes every preview copy this run wrote (at shut-down).
    void DeleteAllPreviewFiles();

signals:
    void CurrentChanged(int index);
    void DocumentAdded(int index);
    void DocumentRemoved(int index);
    void Cleared();
    // A document's modified state changed (the tab shows a mark).
    void ModifiedChanged(int index, bool modified);

private:
    TDocument* Insert(TDocument* document);
    bool RemovePreviewIfOurs(const QString& path);

    QList<TDocument*> FDocuments;
    int FCurrent = -1;
    QString FPreviewFile;
    QSet<QString> FPreviewsWritten; // absolute paths of the preview copies this run wrote
};

// A path made absolute and clean, as the document set compares them.
QString CleanAbsolutePath(const QString& path);
