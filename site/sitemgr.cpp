#include "site/sitemgr.h"

#include "app/apphome.h"
#include "app/platform.h"
#include "app/rcstring.h"
#include "markup/dialogparts.h"
#include "site/WebSite.h"
#include "site/sitelogic.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmSite::TfrmSite(QWidget* parent) : QDialog(parent) {
    setObjectName(u"frmSite"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const TDialogFrame frame = MakeDialogFrame(this, u"Проект"_s, u"Выбор проекта"_s, QString());
    Banner = frame.Banner;
    btnOK = frame.Ok;
    btnOK->setObjectName(u"btnOK"_s);
    btnCancel = frame.Cancel;
    btnDelete = new QPushButton(u"Удалить"_s, this);
    btnDelete->setObjectName(u"btnDelete"_s);
    btnDelete->setAutoDefault(false);
    // The delete button stands at the left of the button row.
    QLayout* root = layout();
    if (auto* row = qobject_cast<QBoxLayout*>(root->itemAt(root->count() - 1)->layout()))
        row->insertWidget(0, btnDelete);

    auto* box = new QVBoxLayout;
    box->setContentsMargins(12, 4, 12, 4);
    box->setSpacing(2);
    edProject = MakeLineEdit(this, u"edProject"_s, 0);
    cbProject = new QListWidget(this);
    cbProject->setObjectName(u"cbProject"_s);
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    AddField(form, u"Открыть проект:"_s, edProject);
    box->addLayout(form);
    box->addWidget(cbProject, 1);
    frame.Body->addLayout(box, 1);

    cbProject->addItems(StoredProjects(ProjectsFolder()));
    if (cbProject->count() > 0)
        cbProject->setCurrentRow(0);
    edProject->setText(SelectedProject());
    UpdateEnabled();

    connect(cbProject, &QListWidget::currentRowChanged, this, [this] {
        if (!edProject->hasFocus()) {
            const QSignalBlocker block(edProject);
            edProject->setText(SelectedProject());
        }
    });
    connect(edProject, &QLineEdit::textEdited, this, &TfrmSite::SelectTyped);
    connect(cbProject, &QListWidget::itemDoubleClicked, this, [this] { btnOKClick(); });
    connect(btnOK, &QPushButton::clicked, this, &TfrmSite::btnOKClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmSite::btnDeleteClick);
    resize(500, 350);
}

QString TfrmSite::SelectedProject() const {
    const QListWidgetItem* item = cbProject->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TfrmSite::SelectTyped(const QString& text) {
    const QList<QListWidgetItem*> found = cbProject->findItems(text, Qt::MatchFixedString);
    if (found.isEmpty()) {
        cbProject->clearSelection();
        cbProject->setCurrentRow(-1);
    } else {
        cbProject->setCurrentItem(found.first());
    }
}

void TfrmSite::UpdateEnabled() {
    const bool any = cbProject->count() > 0;
    cbProject->setEnabled(any);
    edProject->setEnabled(any);
    btnDelete->setEnabled(any);
}

void TfrmSite::btnOKClick() {
    const QString name = SelectedProject();
    if (name.isEmpty())
        return;
    const QString file = ProjectFilePath(ProjectsFolder(), name);
    // A fresh model for every try, so an earlier project that loaded cannot vouch for this one.
    TWebSite check;
    check.setObjectName(u"wsCheck"_s);
    check.LoadFromFile(file);
    if (!check.Active() || !QFileInfo(check.RootDir()).isDir()) {
        ShowWarning(this, LoadStr(sProjectRootNotFound));
        return;
    }
    PendingPath = file;
    accept();
}

void TfrmSite::btnDeleteClick() {
    const int row = cbProject->currentRow();
    const QString name = SelectedProject();
    if (name.isEmpty())
        return;
    // Only the project file goes; a file already gone just leaves the list.
    QFile::remove(ProjectFilePath(ProjectsFolder(), name));
    delete cbProject->takeItem(row);
    UpdateEnabled();
    const int next = IndexAfterRemoval(row, cbProject->count());
    cbProject->setCurrentRow(next);
    edProject->setText(SelectedProject());
}
