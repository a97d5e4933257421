#include "app/platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {

class TQtPlatform final : public IPlatform {
public:
    TAnswer MessageBox(QWidget* parent, TMsgKind kind, const QString& text, TButtons buttons,
                       const QString& caption) override {
        QMessageBox::Icon icon = QMessageBox::Information;
        switch (kind) {
        case TMsgKind::Information:
            icon = QMessageBox::Information;
            break;
        case TMsgKind::Warning:
            icon = QMessageBox::Warning;
            break;
        case TMsgKind::Error:
            icon = QMessageBox::Critical;
            break;
        case TMsgKind::Confirmation:
            icon = QMessageBox::Question;
            break;
        }
        QMessageBox::StandardButtons set = QMessageBox::Ok;
        if (buttons == TButtons::YesNo)
            set = QMessageBox::Yes | QMessageBox::No;
        else if (buttons == TButtons::YesNoCancel)
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        QString shown = text;
        shown.replace(u'\r', u'\n');
        QMessageBox box(icon, caption, shown, set, parent);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return TAnswer::Yes;
        case QMessageBox::No:
            return TAnswer::No;
        case QMessageBox::Cancel:
            return TAnswer::Cancel;
        default:
            return buttons == TButtons::Ok ? TAnswer::Ok : TAnswer::Cancel;
        }
    }

    std::optional<QString> InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& preset) override {
        bool ok = false;
        const QString s =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
        if (!ok)
            return std::nullopt;
        return s;
    }

    std::optional<TOpenFileResult> OpenFile(QWidget* parent,
                                            const TOpenFileRequest& request) override {
        QFileDialog dlg(parent, request.Title, request.InitialDir);
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setNameFilters(QtFilters(request.Filter));
        dlg.setDefaultSuffix(request.DefaultExt);
        if (!request.FileName.isEmpty())
            dlg.selectFile(request.FileName);
        QCheckBox* readOnly = nullptr;
        if (request.OfferReadOnly) {
            // The Qt dialog has no read-only box of its own; its grid takes one more row.
            readOnly = new QCheckBox(u"Только чтение"_s, &dlg);
            if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
                grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
        }
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return TOpenFileResult{dlg.selectedFiles().constFirst(),
                               readOnly != nullptr && readOnly->isChecked()};
    }

    std::optional<QString> SaveFile(QWidget* parent, const TSaveFileRequest& request) override {
        QFileDialog dlg(parent, request.Title, request.InitialDir);
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
        const QStringList filters = QtFilters(request.Filter);
        dlg.setNameFilters(filters);
        dlg.setDefaultSuffix(request.DefaultExt);
        if (!request.FileName.isEmpty())
            dlg.selectFile(request.FileName);
        if (request.OnTypeChange) {
            QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&](const QString& f) {
                const QString name = request.OnTypeChange(int(filters.indexOf(f)));
                if (!name.isEmpty())
                    dlg.selectFile(name);
            });
        }
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst();
    }

    std::optional<QString> BrowseFolder(QWidget* parent, const QString& caption,
                                        const QString& prompt,
                                        const QString& startFolder) override {
        QFileDialog dlg(parent, caption.isEmpty() ? prompt : caption + u" — "_s + prompt,
                        startFolder);
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setFileMode(QFileDialog::Directory);
        dlg.setOption(QFileDialog::ShowDirsOnly);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst();
    }

    std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override {
        const QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }

    bool OpenWithShell(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    int ExecDialog(QDialog* dialog) override { return dialog->exec(); }
};

TQtPlatform gQtPlatform;
IPlatform* gPlatform = nullptr;

QString AppCaption() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? u"Quorvane"_s : name;
}

} // namespace

IPlatform& Platform() {
    return gPlatform ? *gPlatform : gQtPlatform;
}

void SetPlatform(IPlatform* platform) {
    gPlatform = platform;
}

void ShowInfo(QWidget* parent, const QString& text) {
    Platform().MessageBox(parent, TMsgKind::Information, text, TButtons::Ok, AppCaption());
}

void ShowWarning(QWidget* parent, const QString& text) {
    Platform().MessageBox(parent, TMsgKind::Warning, text, TButtons::Ok, AppCaption());
}

void ShowError(QWidget* parent, const QString& text) {
    Platform().MessageBox(parent, TMsgKind::Error, text, TButtons::Ok, AppCaption());
}

TAnswer AskYesNo(QWidget* parent, const QString& text) {
    return Platform().MessageBox(parent, TMsgKind::Confirmation, text, TButtons::YesNo,
                                 AppCaption());
}

TAnswer AskYesNoCancel(QWidget* parent, const QString& text) {
    return Platform().MessageBox(parent, TMsgKind::Confirmation, text, TButtons::YesNoCancel,
                                 AppCaption());
}

QStringList QtFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << parts[i] + u" ("_s + patterns + u')';
    }
    return out;
}
