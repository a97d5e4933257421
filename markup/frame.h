// TfrmFrame: a frame of a frameset, or an inline frame.
#pragma once

#include "markup/dialogparts.h"
#include "markup/linklogic.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmFrame : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFrame(const TElementContext& context, QWidget* parent = nullptr);

    TFrameFields Fields() const;

    TBanner* Banner = nullptr;
    TBrowseField* Src = nullptr;
    QLineEdit* edSrc = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cmbScrolling = nullptr;
    QCheckBox* chkFrameBorder = nullptr;
    QCheckBox* chkNoresize = nullptr;
    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QCheckBox* chkIFrame = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();

private:
    TElementContext FContext;
};
