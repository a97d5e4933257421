// The page skeleton the new-document wizard writes, and the name and place of the new file.
#pragma once

#include "markup/ColorTemplates.h"

#include <QDir>
#include <QString>
#include <QStringList>

// Everything the skeleton is made from, as the wizard's fields give it.
struct TNewPageFields {
    QString Title;
    QString Description; // written when not empty, blanks alone included
    QString Keywords;    // likewise
    bool UseTemplate = false;
    TColorTemplate Colors;  // the body colours, used with UseTemplate
    QString StyleSheetHref; // the linked style sheet's page-relative path; empty: no link
    QString Background;     // the background picture's page-relative path; empty: none
    bool FixedBackground = false;
    QString Sound; // the background sound's page-relative path; empty: none
    QString Loop;  // an entry of NewPageLoopEntries()
    QString PageType = QStringLiteral("HTML");
};

// "Бесконечно", "1" to "20", then the even numbers "22" to "50".
QStringList NewPageLoopEntries();
// "HTML", "XHTML", "ASP", "PHP".
QStringList NewPageTypes();

// The page's text with LF line breaks, every line (the last included) ended by one.
QString NewPageText(const TNewPageFields& fields);
// The typed name trimmed; a name without an extension gets "." and the page type as written
// ("news" and "PHP" give "news.PHP"). Empty when nothing but blanks was typed.
QString NewPageFileName(const QString& typedName, const QString& pageType);
// The root folder without trailing separators, one separator and the file name.
QString NewPagePath(const QString& rootDir, const QString& fileName, QChar sep = QDir::separator());
