// TfrmArea: one clickable area of an image map.
#pragma once

#include "markup/dialogparts.h"
#include "markup/linklogic.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmArea : public QDialog {
    Q_OBJECT

public:
    explicit TfrmArea(const TElementContext& context, QWidget* parent = nullptr);

    TAreaFields Fields() const;

    TBanner* Banner = nullptr;
    TBrowseField* Href = nullptr;
    QLineEdit* edHref = nullptr;
    QPushButton* btnBrowse = nullptr;
    QComboBox* cmbShape = nullptr;
    QLineEdit* edCoords = nullptr;
    QLineEdit* edAlt = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;
    QLineEdit* edTarget = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();

private:
    TElementContext FContext;
};
