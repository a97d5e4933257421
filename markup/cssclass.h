// The CSS class editor: ten pages of property controls; "ОК" composes one class rule from the
// controls the user changed. Where the rule goes is the caller's business.
#pragma once

#include "markup/stylelogic.h"

#include <QDialog>
#include <QSet>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGridLayout;
class QLineEdit;
class QPushButton;
class TBanner;
class TColorButton;
class TPageList;
class TSpinEdit;

class TfrmClass : public QDialog {
    Q_OBJECT

public:
    // fonts fills the font list; pageFile is the shown page's file (the picture dialogs start in
    // its folder and picked pictures are made relative to it).
    TfrmClass(const QStringList& fonts, const QString& pageFile, QWidget* parent = nullptr);

    // The controls' values, with only the changed ones set.
    TClassFields Fields() const;
    // The composed rule; empty until "ОК" succeeded.
    QString Rule() const { return FRule; }
    bool IsChanged(const QObject* control) const { return FChanged.contains(control); }

    TBanner* Banner = nullptr;
    TPageList* lbCategories = nullptr;
    QLineEdit* edClassName = nullptr;
    QCheckBox *chkNone = nullptr, *chkUnderline = nullptr, *chkOverline = nullptr,
              *chkLineThrough = nullptr, *chkBlink = nullptr;
    QLineEdit* edBackGroundImage = nullptr;
    QLineEdit* edListStyleImage = nullptr;
    QPushButton *btnBackGroundImage = nullptr, *btnListStyleImage = nullptr;
    QCheckBox* chkBackgroundAttachment = nullptr;
    QPushButton *btnOk = nullptr, *btnCancel = nullptr;

    void btnOkClick();

private:
    QWidget* Page(const QString& name, QFormLayout** form);
    QComboBox* List(const QString& name, const QStringList& entries, bool editable,
                    QWidget* parent);
    QComboBox* Units(const QString& name, const QStringList& entries, QWidget* parent);
    TSpinEdit* Spin(const QString& name, int min, int max, int value, QWidget* parent);
    TColorButton* ColorButton(const QString& name, QWidget* parent);
    QWidget* Row(QWidget* value, QWidget* unit);
    QLineEdit* PictureField(const QString& name, QPushButton** button, QWidget* parent);
    void BrowsePicture(QLineEdit* field);
    void CreateCharacterPage();
    void CreateParagraphPage();
    void CreateBackgroundPage();
    void CreateTablePage();
    void CreateListPage();
    void CreateMarginPage();
    void CreateBorderPage();
    void CreatePositionPage();
    void CreateMediaPage();

    std::optional<QString> Changed(const QString& list) const;
    TCssLength Length(const QString& list, const QString& units) const;
    std::optional<TColor> ChangedColor(const QString& button) const;
    template <class T> T* Control(const QString& name) const {
        return findChild<T*>(name, Qt::FindChildrenRecursively);
    }

    QStringList FFonts;
    QString FPageFile;
    QSet<const QObject*> FChanged;
    QString FRule;
};
