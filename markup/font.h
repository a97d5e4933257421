// TfrmFont: font attributes and phrase tags around the selection.
#pragma once

#include "markup/blockdialog.h"
#include "markup/blocklogic.h"

class QCheckBox;
class QComboBox;
class TColorButton;

class TfrmFont : public TBlockDialog {
    Q_OBJECT

public:
    // fonts: the names offered in "Гарнитура:" (the installed fonts).
    TfrmFont(const QStringList& classes, const QStringList& fonts, const QString& selection,
             QWidget* parent = nullptr);

    TFontFields Fields() const;

    QCheckBox* chkface = nullptr;
    QComboBox* cmbFace = nullptr;
    QCheckBox* chkSize = nullptr;
    QComboBox* cmbSize = nullptr;
    QCheckBox* chkColor = nullptr;
    TColorButton* clbColor = nullptr;
    QComboBox* cbClass = nullptr;
    QCheckBox *chkBold = nullptr, *chkUnderline = nullptr, *chkItalics = nullptr,
              *chkStrikeout = nullptr, *chkBQ = nullptr, *chkQ = nullptr, *chkEm = nullptr,
              *chkBig = nullptr, *chkSmall = nullptr, *chkSup = nullptr, *chkSub = nullptr,
              *chkBlink = nullptr;

protected:
    bool Confirm() override;

private:
    QString FSelection;
};
