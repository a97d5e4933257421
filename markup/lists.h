// TfrmList: a bulleted or numbered list built from items the user adds and orders.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class TSpinEdit;

class TfrmList : public TBlockDialog {
    Q_OBJECT

public:
    explicit TfrmList(const QStringList& classes, QWidget* parent = nullptr);

    QStringList Items() const;
    TListFields Fields() const;

    QListWidget* lbList = nullptr;
    QPushButton *btnAdd = nullptr, *btnDelete = nullptr, *btnUp = nullptr, *btnDown = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;
    QCheckBox* chkNumbered = nullptr;
    TSpinEdit* seStart = nullptr;

public slots:
    void btnAddClick();
    void btnDeleteClick();
    void btnUpClick();
    void btnDownClick();

protected:
    bool Confirm() override;

private:
    void Move(int step);
    void UpdateButtons();
};
