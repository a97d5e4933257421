// Text rules of the document commands, kept apart from the window so they can be tested alone.
#pragma once

#include <QString>
#include <QStringList>

// The name the Save As dialog proposes: the folder and "Безымянный", joined directly when the
// folder is a root that already ends with the separator (three characters such as "C:\" in the
// Windows form, "/" here), otherwise with the separator between.
QString ProposedSaveAsName(const QString& folder, QChar sep);
// The proposed name after the user picks another file type in the Save As dialog (index into
// the dialog's filter: XHTML, HTML, Cold Fusion, ASP, CSS).
QString SaveAsTypeChangeName(const QString& folder, int typeIndex, QChar sep);
// A tab's caption: the file-name part of the path.
QString TabCaptionFor(const QString& path);
// The preview copy that lies beside a document.
QString PreviewFileFor(const QString& documentPath);
// True when any flag of the list reads "1".
bool AnyFlagSet(const QStringList& flags);

extern const char16_t kOpenDialogFilter[];
extern const char16_t kSaveAsDialogFilter[];
