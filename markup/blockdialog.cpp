#include "markup/blockdialog.h"

#include "markup/dialogparts.h"
#include "widgets/dialogbuttons.h"
#include "widgets/inputfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

using namespace Qt::StringLiterals;

TBlockDialog::TBlockDialog(const QString& objectName, const QString& caption, const QString& title,
                           const QString& subtitle, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 10);
    root->setSpacing(8);
    Banner = new TBanner(title, subtitle, this);
    root->addWidget(Banner);
    Body = new QVBoxLayout;
    Body->setContentsMargins(12, 0, 12, 0);
    root->addLayout(Body, 1);
}

void TBlockDialog::FinishLayout() {
    const TOkCancelRow row = MakeOkCancelRow(this, u"btnOk"_s, 12);
    btnOk = row.Ok;
    btnCancel = row.Cancel;
    static_cast<QVBoxLayout*>(layout())->addLayout(row.Layout);
    connect(btnOk, &QPushButton::clicked, this, &TBlockDialog::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TBlockDialog::btnOkClick() {
    Result.reset();
    if (Confirm())
        accept();
}

QFormLayout* MakeFieldForm(QWidget* parent) {
    auto* form = new QFormLayout(parent);
    form->setContentsMargins(parent ? 8 : 0, parent ? 4 : 0, 0, 0);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QLabel* MakeFieldLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength,
                    std::optional<TInputFilter> filter, const QString& preset) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setText(preset);
    if (filter)
        InstallInputFilter(edit, *filter);
    return edit;
}

QComboBox* MakeChoice(QWidget* parent, const QString& name, const QStringList& entries,
                      int preset) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);
    box->addItems(entries);
    box->setCurrentIndex(preset);
    return box;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

namespace {
// Refuses an edit that makes the text longer than both the limit and the text before it. The
// text before is tracked through textChanged, which comes after the check.
class TTypedLengthValidator : public QValidator {
public:
    TTypedLengthValidator(QLineEdit* edit, int maxLength)
        : QValidator(edit), FMax(maxLength), FLast(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { FLast = t; });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= FMax || input.size() <= FLast.size() ? Acceptable : Invalid;
    }

private:
    int FMax;
    QString FLast;
};
} // namespace

void LimitTypedLength(QLineEdit* edit, int maxLength) {
    edit->setValidator(new TTypedLengthValidator(edit, maxLength));
}

TBlockDialog::TItemButtons TBlockDialog::AddItemList(QWidget* list) {
    Body->addWidget(MakeFieldLabel(u"Элементы списка:"_s, list));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& text,
                                        const QString& hint) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    TItemButtons result;
    result.Add = button(u"btnAdd"_s, u"<<"_s, u"Добавить"_s);
    result.Delete = button(u"btnDelete"_s, u">>"_s, u"Удалить"_s);
    result.Up = button(u"btnUp"_s, u"Вверх"_s, {});
    result.Down = button(u"btnDown"_s, u"Вниз"_s, {});
    buttons->addStretch(1);
    listRow->addLayout(buttons);
    Body->addLayout(listRow, 1);
    return result;
}
