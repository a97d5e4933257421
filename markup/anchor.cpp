#include "markup/anchor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmAnchor::TfrmAnchor(const TElementContext& context, int mode, const QString& linkedFile,
                       QWidget* parent)
    : QDialog(parent), FContext(context), FMode(mode) {
    setObjectName(u"frmAnchor"_s);
    const TDialogFrame frame = MakeDialogFrame(this, u"Гиперссылка"_s, u"Создание гиперссылки"_s,
                                               u"на объект внутри или вне сайта"_s);
    Banner = frame.Banner;
    btnOk = frame.Ok;
    btnCancel = frame.Cancel;

    Href = new TBrowseField(u"edhref"_s, 250, this);
    Href->Request.Title = u"Источник гиперссылки"_s;
    Href->Request.Filter = u"Файлы HTML|*.*htm*|Файлы ASP|*.asp*|Файлы Cold Fusion|*.cfm*|"
                           u"Файлы PHP|*.php*|Текстовые файлы|*.txt|Все файлы|*.*"_s;
    Href->Request.DefaultExt = u"*htm*"_s;
    Href->PageFile = context.PageFile;
    edhref = Href->Edit;
    btnBrowse = Href->Button;
    edTarget = new QLineEdit(this);
    edTarget->setObjectName(u"edTarget"_s);
    edTarget->setMaxLength(20);
    edName = new QLineEdit(this);
    edName->setObjectName(u"edName"_s);
    edName->setMaxLength(20);
    cbClass = MakeClassList(this, context.Classes);

    auto* form = new QFormLayout;
    AddField(form, u"Источник:"_s, Href);
    AddField(form, u"Мишень:"_s, edTarget);
    AddField(form, u"Имя:"_s, edName);
    AddField(form, u"Класс:"_s, cbClass);
    frame.Body->addLayout(form);
    setMinimumWidth(400);

    // The dialog lives for one showing, so its mode is applied once, here.
    if (FMode == 1 && !linkedFile.isEmpty())
        Href->SetFixedFile(linkedFile);
    else
        Href->ClearChoice();
    connect(btnOk, &QPushButton::clicked, this, &TfrmAnchor::btnOkClick);
    edhref->setFocus();
}

TAnchorFields TfrmAnchor::Fields() const {
    TAnchorFields f;
    f.Href = {edhref->text(), Href->ChosenFile(), FContext.PageFile};
    f.Target = edTarget->text();
    f.Name = edName->text();
    f.Class = ChosenClass(cbClass);
    f.Selection = FContext.Selection;
    return f;
}

void TfrmAnchor::btnOkClick() {
    const TElementMarkup m = AnchorMarkup(Fields());
    if (!Href->ChosenFile().isEmpty())
        edhref->setText(m.Source);
    if (m.Refused()) {
        ShowInfo(this, m.Message);
        return;
    }
    if (FContext.Insert)
        FContext.Insert(m.Insertion);
    accept();
}
