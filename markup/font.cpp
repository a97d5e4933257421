#include "markup/font.h"

#include "markup/dialogparts.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmFont::TfrmFont(const QStringList& classes, const QStringList& fonts, const QString& selection,
                   QWidget* parent)
    : TBlockDialog(u"frmFont"_s, u"Шрифт"_s, u"Подбор шрифта для выделенного фрагмента текста"_s,
                   {}, parent),
      FSelection(selection) {
    QFormLayout* form = MakeFieldForm();
    chkface = MakeCheck(this, u"chkface"_s, u"Гарнитура:"_s);
    cmbFace = MakeChoice(this, u"cmbFace"_s, fonts, -1);
    cmbFace->setMaxVisibleItems(16);
    chkSize = MakeCheck(this, u"chkSize"_s, u"Размер:"_s);
    cmbSize = MakeChoice(this, u"cmbSize"_s, FontSizeEntries(), 0);
    chkColor = MakeCheck(this, u"chkColor"_s, u"Цвет:"_s);
    clbColor = new TColorButton(this);
    clbColor->setObjectName(u"clbColor"_s);
    clbColor->setColor(BlackColor);
    cbClass = MakeClassList(this, classes);
    form->addRow(chkface, cmbFace);
    form->addRow(chkSize, cmbSize);
    form->addRow(chkColor, clbColor);
    form->addRow(MakeFieldLabel(u"Класс:"_s, cbClass), cbClass);
    Body->addLayout(form);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    const struct {
        QCheckBox** Box;
        const char16_t* Name;
        const char16_t* Text;
    } boxes[] = {
        {&chkBold, u"chkBold", u"Выделенный"},
        {&chkUnderline, u"chkUnderline", u"Подчеркнутый"},
        {&chkItalics, u"chkItalics", u"Курсив"},
        {&chkStrikeout, u"chkStrikeout", u"Зачеркнутый"},
        {&chkBQ, u"chkBQ", u"Цитата"},
        {&chkQ, u"chkQ", u"Цитата внутри абзаца"},
        {&chkEm, u"chkEm", u"Логическое ударение"},
        {&chkBig, u"chkBig", u"Увеличенный"},
        {&chkSmall, u"chkSmall", u"Уменьшенный"},
        {&chkSup, u"chkSup", u"Верхний индекс"},
        {&chkSub, u"chkSub", u"Нижний индекс"},
        {&chkBlink, u"chkBlink", u"Мигающий"},
    };
    constexpr int rows = 6;
    int i = 0;
    for (const auto& b : boxes) {
        *b.Box = MakeCheck(this, QString::fromUtf16(b.Name), QString::fromUtf16(b.Text));
        grid->addWidget(*b.Box, i % rows, i / rows);
        ++i;
    }
    Body->addSpacing(6);
    Body->addLayout(grid);
    FinishLayout();
    setMinimumWidth(460);
}

TFontFields TfrmFont::Fields() const {
    TFontFields f;
    f.FaceOn = chkface->isChecked();
    f.Face = cmbFace->currentIndex() >= 0 ? cmbFace->currentText() : QString();
    f.SizeOn = chkSize->isChecked();
    f.Size = cmbSize->currentText();
    f.ColorOn = chkColor->isChecked();
    f.Color = clbColor->Color();
    f.Class = ChosenClass(cbClass);
    f.Bold = chkBold->isChecked();
    f.Underline = chkUnderline->isChecked();
    f.Italics = chkItalics->isChecked();
    f.Strikeout = chkStrikeout->isChecked();
    f.Blockquote = chkBQ->isChecked();
    f.Quote = chkQ->isChecked();
    f.Emphasis = chkEm->isChecked();
    f.Big = chkBig->isChecked();
    f.Small = chkSmall->isChecked();
    f.Sup = chkSup->isChecked();
    f.Sub = chkSub->isChecked();
    f.Blink = chkBlink->isChecked();
    return f;
}

bool TfrmFont::Confirm() {
    // Of each exclusive pair the first wins.
    if (chkBQ->isChecked())
        chkQ->setChecked(false);
    if (chkBig->isChecked())
        chkSmall->setChecked(false);
    if (chkSup->isChecked())
        chkSub->setChecked(false);
    // Nothing chosen closes the dialog without inserting.
    Result = FontInsertion(Fields(), FSelection);
    return true;
}
