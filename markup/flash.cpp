#include "markup/flash.h"

#include "app/platform.h"
#include "markup/dialogparts.h"
#include "markup/elementlogic.h"
#include "widgets/colorbutton.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmFlash::TfrmFlash(const QString& pageFile, QWidget* parent)
    : TBlockDialog(u"frmFlash"_s, u"Macromedia Flash"_s, u"Объект \"Macromedia Shockwave Flash\""_s,
                   {}, parent),
      FPageFile(pageFile) {
    QFormLayout* form = MakeFieldForm();
    edMovieSrc = new TBrowseField(u"edMovieSrc"_s, 250, this);
    edMovieSrc->PageFile = pageFile;
    edMovieSrc->Request.Title = u"Источник ролика Flash"_s;
    edMovieSrc->Request.Filter = u"Файлы Macromedia Flash|*.swf"_s;
    edMovieSrc->Request.DefaultExt = u"swf"_s;
    edWidth = MakeEdit(this, u"edWidth"_s, 0, TInputFilter::Size);
    edHeight = MakeEdit(this, u"edHeight"_s, 0, TInputFilter::Size);
    cbQuality = MakeChoice(this, u"cbQuality"_s, {u"Высокое"_s, u"Среднее"_s, u"Низкое"_s}, 2);
    clbBgColor = new TColorButton(this);
    clbBgColor->setObjectName(u"clbBgColor"_s);
    clbBgColor->setColor(WhiteColor);
    form->addRow(MakeFieldLabel(u"Источник:"_s, edMovieSrc->Edit), edMovieSrc);
    form->addRow(MakeFieldLabel(u"Ширина:"_s, edWidth), edWidth);
    form->addRow(MakeFieldLabel(u"Высота:"_s, edHeight), edHeight);
    form->addRow(MakeFieldLabel(u"Качество:"_s, cbQuality), cbQuality);
    form->addRow(MakeFieldLabel(u"Фон:"_s, clbBgColor), clbBgColor);
    Body->addLayout(form);
    FinishLayout();
    setMinimumWidth(420);
}

TFlashFields TfrmFlash::Fields() const {
    TFlashFields f;
    f.Movie = edMovieSrc->Edit->text();
    f.Width = edWidth->text();
    f.Height = edHeight->text();
    f.Quality = TFlashQuality(qBound(0, cbQuality->currentIndex(), 2));
    f.Background = clbBgColor->Color();
    return f;
}

bool TfrmFlash::Confirm() {
    const QString message = FlashCheck(Fields());
    if (!message.isEmpty()) {
        ShowInfo(this, message);
        return false;
    }
    if (!edMovieSrc->ChosenFile().isEmpty())
        edMovieSrc->Edit->setText(PageRelativePath(edMovieSrc->ChosenFile(), FPageFile));
    Result = FlashInsertion(Fields());
    return true;
}
