// The named colour sets of a page body that the new-document wizard offers, kept in the template
// file beside the program: one template a line, six fields each followed by ESC, Windows-1251.
#pragma once

#include "site/toolfunc.h"

#include <QList>
#include <QObject>
#include <QString>

struct TColorTemplate {
    QString Name;
    TColor BgColor = 0;
    TColor TextColor = 0;
    TColor LinkColor = 0;
    TColor ALinkColor = 0;
    TColor VLinkColor = 0;

    bool operator==(const TColorTemplate&) const = default;
};

// The first built-in scheme; what a lookup of an unknown name or index gives.
TColorTemplate DefaultColorTemplate();
// The schemes a new list starts with when the template file gave none.
QList<TColorTemplate> BuiltInColorTemplates();

class TColorTemplates : public QObject {
    Q_OBJECT

public:
    explicit TColorTemplates(QObject* parent = nullptr);

    // Adds every well-formed line of the file through AddTemplate. A missing file changes
    // nothing; a file that exists but cannot be read throws EFileError.
    void LoadFromFile(const QString& path);
    // Writes every template as one line, in list order (safely: the old file stays whole until
    // the new one is on disk). Throws EFileError.
    void SaveToFile(const QString& path) const;
    // The file's text for the list, LF line breaks.
    QString FileText() const;
    // Adds the built-in templates when the list is empty.
    void AddBuiltInsIfEmpty();

    // Appends the template with its name trimmed. Refused silently: a blank name, a name already
    // present (compared without case), and a name the file could not keep (a control character,
    // a character Windows-1251 lacks, or a start that reads as a UTF-8 byte-order mark). Returns
    // whether it was added.
    bool AddTemplate(const TColorTemplate& record);
    // Gives the named template the five colours of the record; its name stays.
    bool ChangeTemplate(const QString& name, const TColorTemplate& record);
    // Removes the named template. The last one is never removed: a list always has a scheme.
    bool DeleteTemplate(const QString& name);

    TColorTemplate GetTemplate(const QString& name) const;
    TColorTemplate GetTemplateAt(int index) const;
    int TemplateCount() const { return int(FTemplates.size()); }
    int IndexOf(const QString& name) const;
    QStringList Names() const;

signals:
    void OnAddTemplate(const QString& name);
    void OnChangeTemplate(const QString& name);
    void OnDeleteTemplate(const QString& name);

private:
    QList<TColorTemplate> FTemplates;
};
