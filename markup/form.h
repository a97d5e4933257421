// TfrmForm: a web form around the selection or empty.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QComboBox;
class QLineEdit;

class TfrmForm : public TBlockDialog {
    Q_OBJECT

public:
    TfrmForm(const QStringList& classes, const QString& selection, QWidget* parent = nullptr);

    TFormFields Fields() const;

    QLineEdit *edName = nullptr, *edAction = nullptr;
    QComboBox* cmbMethod = nullptr;
    QLineEdit* edEnctype = nullptr;
    QComboBox* cbClass = nullptr;
    QLineEdit* edTarget = nullptr;

protected:
    bool Confirm() override;

private:
    QString FSelection;
};
