// TfrmImage: the image dialog, its fields on four pages chosen from a list on the left. A JPEG
// picture picked with the browse button fills in its width and height.
#pragma once

#include "markup/dialogparts.h"
#include "markup/linklogic.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class TfrmImage : public QDialog {
    Q_OBJECT

public:
    explicit TfrmImage(const TElementContext& context, QWidget* parent = nullptr);

    TImageFields Fields() const;
    // Asked for a picked picture: a JPEG picture's pixel size goes into the size fields. False,
    // with a message and every field left as it was, when the picture cannot be read. A size too
    // long for the fields is reported and not written; other kinds of picture are not read.
    bool TakePictureSize(const QString& path);

    TBanner* Banner = nullptr;
    TPageList* Pages = nullptr;
    QListWidget* lbPages = nullptr;
    TBrowseField* Src = nullptr;
    QLineEdit* edSrc = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLineEdit* edAlt = nullptr;
    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QComboBox* cbAlign = nullptr;
    QLineEdit* edHspace = nullptr;
    QLineEdit* edVspace = nullptr;
    QLineEdit* edName = nullptr;
    QComboBox* cbClass = nullptr;
    QLineEdit* edUseMap = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();

private:
    TElementContext FContext;
};
