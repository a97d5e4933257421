// TfrmFlash: a Flash movie as an object with an embed inside.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QComboBox;
class QLineEdit;
class TBrowseField;
class TColorButton;

class TfrmFlash : public TBlockDialog {
    Q_OBJECT

public:
    explicit TfrmFlash(const QString& pageFile, QWidget* parent = nullptr);

    TFlashFields Fields() const;

    TBrowseField* edMovieSrc = nullptr;
    QLineEdit *edWidth = nullptr, *edHeight = nullptr;
    QComboBox* cbQuality = nullptr;
    TColorButton* clbBgColor = nullptr;

protected:
    bool Confirm() override;

private:
    QString FPageFile;
};
