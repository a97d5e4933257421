// TfrmTd: a table cell (td or th) around the selection or empty.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TColorButton;
class TPageList;

class TfrmTd : public TBlockDialog {
    Q_OBJECT

public:
    TfrmTd(const QStringList& classes, const QString& selection, QWidget* parent = nullptr);

    TCellFields Fields() const;

    QCheckBox* chkTH = nullptr;
    TPageList* lbOptions = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;
    QCheckBox* chkBg = nullptr;
    TColorButton* clbColor = nullptr;
    QLineEdit *edWidth = nullptr, *edColSpan = nullptr, *edRowSpan = nullptr;
    QComboBox *cbValign = nullptr, *cbAlign = nullptr;

protected:
    bool Confirm() override;

private:
    QString FSelection;
};
