#include "markup/dialogparts.h"

#include "site/toolfunc.h"
#include "widgets/dialogbuttons.h"
#include "widgets/inputfilter.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TBanner::TBanner(const QString& title, const QString& subtitle, QWidget* parent) : QWidget(parent) {
    setObjectName(u"f_banner"_s);
    // The strip is always white with black text, whatever the desktop's colours: it is painted
    // by the strip itself, so no palette or style of a parent can grey it.
    setAttribute(Qt::WA_StyledBackground, false);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(2);
    FTitle = new QLabel(title, this);
    FTitle->setObjectName(u"lblBannerTitle"_s);
    FTitle->setTextFormat(Qt::PlainText);
    QFont bold = FTitle->font();
    bold.setBold(true);
    FTitle->setFont(bold);
    FSubtitle = new QLabel(subtitle, this);
    FSubtitle->setObjectName(u"lblBannerSubtitle"_s);
    FSubtitle->setTextFormat(Qt::PlainText);
    FSubtitle->setContentsMargins(12, 0, 0, 0);
    FSubtitle->setVisible(!subtitle.isEmpty());
    layout->addWidget(FTitle);
    layout->addWidget(FSubtitle);
}

void TBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
}

QString TBanner::Title() const {
    return FTitle->text();
}
QString TBanner::Subtitle() const {
    return FSubtitle->text();
}

TDialogFrame MakeDialogFrame(QDialog* dialog, const QString& caption, const QString& title,
                             const QString& subtitle) {
    TDialogFrame frame;
    dialog->setWindowTitle(caption);
    auto* root = new QVBoxLayout(dialog);
    root->setContentsMargins(0, 0, 0, 10);
    root->setSpacing(8);
    frame.Banner = new TBanner(title, subtitle, dialog);
    root->addWidget(frame.Banner);
    frame.Body = new QVBoxLayout;
    frame.Body->setContentsMargins(12, 0, 12, 0);
    root->addLayout(frame.Body, 1);
    const TOkCancelRow buttons = MakeOkCancelRow(dialog, u"btnOk"_s, 12);
    frame.Ok = buttons.Ok;
    frame.Cancel = buttons.Cancel;
    root->addLayout(buttons.Layout);
    QObject::connect(frame.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return frame;
}

QLabel* AddField(QFormLayout* form, const QString& label, QWidget* field) {
    auto* browse = qobject_cast<TBrowseField*>(field);
    QWidget* named = browse ? browse->Edit : field;
    QString name = named->objectName();
    for (const QString& prefix : {u"cmb"_s, u"chk"_s, u"cb"_s, u"ed"_s}) {
        if (name.startsWith(prefix)) {
            name = name.mid(prefix.size());
            break;
        }
    }
    auto* lbl = new QLabel(label, field->parentWidget());
    lbl->setObjectName(u"lbl"_s + name);
    lbl->setTextFormat(Qt::PlainText);
    lbl->setBuddy(named);
    form->addRow(lbl, field);
    return lbl;
}

QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength,
                        std::optional<TInputFilter> filter) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (filter)
        InstallInputFilter(edit, *filter);
    return edit;
}

QComboBox* MakeClassList(QWidget* parent, const QStringList& classes) {
    auto* list = new QComboBox(parent);
    list->setObjectName(u"cbClass"_s);
    list->setEditable(false);
    list->addItem(QString());
    list->addItems(classes);
    list->setCurrentIndex(0);
    return list;
}

QString ChosenClass(const QComboBox* list) {
    return list && list->currentIndex() > 0 ? list->currentText() : QString();
}

TPageList::TPageList(const QString& listName, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    List = new QListWidget(this);
    List->setObjectName(listName);
    List->setFixedWidth(110);
    Pages = new QStackedWidget(this);
    layout->addWidget(List);
    layout->addWidget(Pages, 1);
    connect(List, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Pages->setCurrentIndex(row);
    });
    List->viewport()->installEventFilter(this);
}

QWidget* TPageList::AddPage(const QString& name) {
    auto* page = new QWidget(Pages);
    Pages->addWidget(page);
    List->addItem(name);
    if (List->count() == 1)
        List->setCurrentRow(0);
    return page;
}

void TPageList::ShowPage(int index) {
    if (index >= 0 && index < Pages->count()) {
        List->setCurrentRow(index);
        Pages->setCurrentIndex(index);
    }
}

int TPageList::CurrentPage() const {
    return Pages->currentIndex();
}

bool TPageList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!List->itemAt(mouse->position().toPoint())) {
            ShowPage(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TBrowseField::TBrowseField(const QString& editName, int maxLength, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Edit = new QLineEdit(this);
    Edit->setObjectName(editName);
    if (maxLength > 0)
        Edit->setMaxLength(maxLength);
    Button = new QPushButton(u". . ."_s, this);
    Button->setObjectName(u"btnBrowse"_s);
    Button->setFixedWidth(36);
    layout->addWidget(Edit, 1);
    layout->addWidget(Button);
    connect(Button, &QPushButton::clicked, this, &TBrowseField::Browse);
    connect(Edit, &QLineEdit::textEdited, this, [this] {
        if (StaysEditable)
            FChosen.clear();
    });
}

void TBrowseField::SetFixedFile(const QString& path) {
    FChosen = path;
    Edit->setText(ExtractFileName(path));
    Edit->setReadOnly(true);
    Button->setEnabled(false);
}

void TBrowseField::ClearChoice() {
    FChosen.clear();
}

void TBrowseField::Browse() {
    TOpenFileRequest request = Request;
    request.InitialDir = ExtractFileDir(PageFile);
    const auto picked = Platform().OpenFile(window(), request);
    if (!picked || picked->FileName.isEmpty())
        return;
    if (AcceptFile && !AcceptFile(picked->FileName))
        return;
    FChosen = picked->FileName;
    Edit->setText(ExtractFileName(FChosen));
    if (!StaysEditable)
        Edit->setEnabled(false);
    emit FileChosen(FChosen);
}
