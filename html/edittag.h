// TfrmTag: edits the tag under the source editor's caret as a property sheet. The tag is parsed
// into a tag model, its attributes are shown in a two-column grid whose value cells are edited
// through an overlay field or drop-down list, and "ОК" writes the composed tag back in place of
// the old text and selects it.
#pragma once

#include "html/completion.h"

#include <QDialog>
#include <QPoint>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class QWidget;
class THTMLTag;
class TRichEditEx;

// The installed font families, sorted by name: the values offered for "face".
QStringList InstalledFontFamilies();

class TfrmTag : public QDialog {
    Q_OBJECT

public:
    // The editor holds the page; the sources give the value lists (the scanner's lists of the
    // page and the font families).
    TfrmTag(TRichEditEx* editor, const TValueSources& sources, QWidget* parent = nullptr);

    // Reads the tag around the caret into the model and fills the grid. False when the dialog is
    // not to be shown: no tag at the caret, a comment or declaration, or a tag the model rejects
    // (after the warning with the character's page position).
    bool FormCreate();

    int TagStart() const { return FTagStart; }
    int TagLength() const { return FTagLength; }
    // True while the tag has at least one attribute: only then can value cells be edited.
    bool Editable() const { return FEditable; }
    // The overlay editor in use (cbList or edText), or nullptr.
    QWidget* ActiveEditor() const { return FEditor; }

    QLineEdit* edTagName = nullptr;
    QTableWidget* sgProperties = nullptr;
    QComboBox* cbList = nullptr;
    QLineEdit* edText = nullptr;
    QMenu* pmEditTag = nullptr;
    QAction* miAddProperty = nullptr;
    QAction* miDeleteProperty = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    THTMLTag* htTag = nullptr;

public slots:
    // A cell of the grid was selected; row counts attribute rows from 0.
    void sgPropertiesSelectCell(int row, int column);
    void miAddPropertyClick();
    void miDeletePropertyClick();
    void btnOKClick();
    // Ends the edit of a value cell: the overlay's value goes to the cell and the model.
    void EndEdit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void htTagAfterParse();
    void htTagError(qint32 position);
    void FillGrid();
    void OpenEditor();
    void FillList(const QString& name, const QString& value);
    QString CellName() const;

    TRichEditEx* FSource = nullptr; // the page editor
    TValueSources FSources;
    int FTagStart = -1;
    int FTagLength = 0;
    QString FTagText;
    bool FEditable = false;
    bool FOpens = false;
    bool FFilling = false;
    int FEditRow = -1;
    QPoint FEditCorner;
    QWidget* FEditor = nullptr;
};
