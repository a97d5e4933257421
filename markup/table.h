// TfrmTable: an empty table with its attributes, caption and background.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TBrowseField;
class TColorButton;
class TPageList;

class TfrmTable : public TBlockDialog {
    Q_OBJECT

public:
    TfrmTable(const QStringList& classes, const QString& pageFile, QWidget* parent = nullptr);

    // The fields as they stand (the background as typed, before the page-relative path).
    TTableFields Fields() const;

    TPageList* lbOptions = nullptr;
    QLineEdit *edRows = nullptr, *edCols = nullptr, *edCaption = nullptr;
    QCheckBox* chkBack = nullptr;
    TColorButton* clbBg = nullptr;
    QLineEdit *edBorder = nullptr, *edWidth = nullptr, *edCellPadding = nullptr,
              *edCellspacing = nullptr;
    TBrowseField* edBack = nullptr;
    QLineEdit *edHspace = nullptr, *edVspace = nullptr, *edName = nullptr;
    QComboBox *cbClass = nullptr, *cbAlign = nullptr;

protected:
    bool Confirm() override;

private:
    QString FPageFile;
};
