// TfrmCtrl: the small name/value dialog behind the form-element list, the object parameter
// command, the tag editor's "add attribute" and the select dialog's new option.
#pragma once

#include "markup/quicklistdata.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmCtrl : public QDialog {
    Q_OBJECT

public:
    // In element mode the exchange slot carries the element type in; the other modes ignore it.
    explicit TfrmCtrl(TCtrlMode mode, const QString& exchange = {}, QWidget* parent = nullptr);

    TCtrlMode Mode() const { return FMode; }
    // The exchange slot: before the dialog the element type; after "ОК" the trimmed name, ESC
    // and the value; empty after "Отмена".
    const QString& Exchange() const { return FExchange; }
    // True once "ОК" closed the dialog with a valid name.
    bool Confirmed() const { return FConfirmed; }
    // The result read straight from the fields as confirmed, so a name or value that happens to
    // contain ESC cannot be split in the wrong place.
    const QString& ResultName() const { return FResultName; }
    const QString& ResultValue() const { return FResultValue; }

    // Shows the dialog modally through the platform layer. True with the name and value when
    // it was confirmed; false (and both left alone) when it was cancelled.
    static bool Execute(QWidget* parent, TCtrlMode mode, const QString& elementType, QString* name,
                        QString* value);

    QLabel* lblBanner = nullptr;
    QLabel* lblName = nullptr;
    QLabel* lblValue = nullptr;
    QLineEdit* edName = nullptr;
    QLineEdit* edValue = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();
    void btnCancelClick();
    // Escape counts as "Отмена": the slot is emptied as well.
    void reject() override;

private:
    TCtrlMode FMode;
    TCtrlSetup FSetup;
    QString FExchange;
    QString FResultName;
    QString FResultValue;
    bool FConfirmed = false;
};
