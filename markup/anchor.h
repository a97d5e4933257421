// TfrmAnchor: the hyperlink dialog, in its normal mode (0) and in the site browser's file-link
// mode (1), where a given file is the link's fixed source.
#pragma once

#include "markup/dialogparts.h"
#include "markup/linklogic.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmAnchor : public QDialog {
    Q_OBJECT

public:
    // In mode 1 linkedFile (a full path) is the chosen file; mode 0 ignores it.
    TfrmAnchor(const TElementContext& context, int mode, const QString& linkedFile,
               QWidget* parent = nullptr);

    int Mode() const { return FMode; }
    TAnchorFields Fields() const;

    TBanner* Banner = nullptr;
    TBrowseField* Href = nullptr;
    QLineEdit* edhref = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLineEdit* edTarget = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();

private:
    TElementContext FContext;
    int FMode;
};
