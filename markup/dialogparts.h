// Pieces every element dialog is built from: the banner strip across the top, the class list,
// the page list that switches groups of fields, and the source field with its browse button.
#pragma once

#include "app/platform.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

// The white strip at the top of a dialog: a bold title over an optional second line.
class TBanner : public QWidget {
    Q_OBJECT

public:
    TBanner(const QString& title, const QString& subtitle, QWidget* parent);
    QString Title() const;
    QString Subtitle() const;

private:
    QLabel* FTitle;
    QLabel* FSubtitle;
};

// The class list "Класс:": an empty first entry (preselected), then the page's CSS classes.
QComboBox* MakeClassList(QWidget* parent, const QStringList& classes);
// The chosen class, or an empty text while the first entry is chosen.
QString ChosenClass(const QComboBox* list);

// A list of page names on the left that switches a stack of field pages; the first page is shown
// at start, and a click outside every entry shows the first page too.
class TPageList : public QWidget {
    Q_OBJECT

public:
    TPageList(const QString& listName, QWidget* parent);
    // Adds a page under the given name and returns it for the caller's fields.
    QWidget* AddPage(const QString& name);
    void ShowPage(int index);
    int CurrentPage() const;
    QListWidget* List = nullptr;
    QStackedWidget* Pages = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A source field with its browse button ". . .". Browsing opens the platform's file dialog in the
// shown page's folder; a picked file becomes the chosen file, and the field shows its name
// without folder (and is disabled unless the field stays editable).
class TBrowseField : public QWidget {
    Q_OBJECT

public:
    TBrowseField(const QString& editName, int maxLength, QWidget* parent);
    // The request of the file dialog (title, filter, default extension); the initial folder is
    // filled in from the page file at each browse.
    TOpenFileRequest Request;
    QString PageFile;           // the shown page's file, or empty
    bool StaysEditable = false; // the image dialog keeps the field editable after a browse
    // The full path of the file picked (or given in file-link mode); empty when none.
    QString ChosenFile() const { return FChosen; }
    // File-link mode: the file counts as chosen, the field shows its name read-only and the
    // button is disabled.
    void SetFixedFile(const QString& path);
    void ClearChoice();
    QLineEdit* Edit = nullptr;
    QPushButton* Button = nullptr;

signals:
    // A file was picked through the button (after the field was updated).
    void FileChosen(const QString& path);

private:
    void Browse();
    QString FChosen;
};
