// Pieces every element dialog is built from: the banner strip across the top, the class list,
// the page list that switches groups of fields, and the source field with its browse button.
#pragma once

#include "app/insertion.h"
#include "app/platform.h"
#include "site/toolfunc.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QDialog;
class QFormLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

// What an element dialog takes from the window that shows it.
struct TElementContext {
    QStringList Classes; // the page's CSS classes for the class list
    QString PageFile;    // the shown page's file, or empty for a page never saved
    QString Selection;   // the editor's selection, or empty
    // Inserts the composed markup into the page (the window's InsertText).
    std::function<void(const TInsertion&)> Insert;
};

// The white strip at the top of a dialog: a bold title over an optional second line.
class TBanner : public QWidget {
    Q_OBJECT

public:
    TBanner(const QString& title, const QString& subtitle, QWidget* parent);
    QString Title() const;
    QString Subtitle() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* FTitle;
    QLabel* FSubtitle;
};

// The layout every element dialog shares: the banner strip on top, a body for the fields, and
// the "ОК" (default, named btnOk) / "Отмена" row at the foot; "Отмена" rejects the dialog.
struct TDialogFrame {
    TBanner* Banner = nullptr;
    QVBoxLayout* Body = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
};
TDialogFrame MakeDialogFrame(QDialog* dialog, const QString& caption, const QString& title,
                             const QString& subtitle);

// A row of a form: a plain-text label (named "lbl" and the field's name without its kind
// prefix, so "Источник:" of edSrc is lblSrc) with the field as its buddy. Returns the label.
QLabel* AddField(QFormLayout* form, const QString& label, QWidget* field);

// An edit field with its object name, a length limit (0 for none) and an optional input filter.
QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength,
                        std::optional<TInputFilter> filter = std::nullopt);

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
// without folder (and is disabled unless the field stays editable). Typing into a field that
// stays editable drops the choice: the typed source is what the user wants then.
class TBrowseField : public QWidget {
    Q_OBJECT

public:
    TBrowseField(const QString& editName, int maxLength, QWidget* parent);
    // The request of the file dialog (title, filter, default extension); the initial folder is
    // filled in from the page file at each browse.
    TOpenFileRequest Request;
    QString PageFile;           // the shown page's file, or empty
    bool StaysEditable = false; // the image dialog keeps the field editable after a browse
    // Asked before a picked file is taken; false leaves the field and the choice as they were
    // (the image dialog refuses a picture it cannot read).
    std::function<bool(const QString& path)> AcceptFile;
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
