// TfrmSelect: a drop-down list built from options (text and value) the user adds and orders.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeWidget;
class TSpinEdit;

class TfrmSelect : public TBlockDialog {
    Q_OBJECT

public:
    explicit TfrmSelect(const QStringList& classes, QWidget* parent = nullptr);

    QList<TSelectOption> Options() const;
    TSelectFields Fields() const;

    QTreeWidget* lvOptions = nullptr;
    QPushButton *btnAdd = nullptr, *btnDelete = nullptr, *btnUp = nullptr, *btnDown = nullptr;
    TSpinEdit* seStart = nullptr;
    QCheckBox* chkMultiple = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;

public slots:
    void btnAddClick();
    void btnDeleteClick();
    void btnUpClick();
    void btnDownClick();

protected:
    bool Confirm() override;

private:
    void Move(int step);
    void SetOptions(const QList<TSelectOption>& options);
    // The default number's limits and ">>" follow the number of options.
    void UpdateLimits();
};
