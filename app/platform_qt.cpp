#include "app/platform.h"
#include "widgets/fitwidth.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>

using namespace Qt::StringLiterals;

namespace {

// Every modal window the program shows passes through here. Its title bar offers only what a
// dialog needs: the caption and a close box, no minimise or maximise box whatever the window
// system would add; and it is wide enough for the window system to show the whole caption.
// A dialog that chose its title bar itself and left the close box out (the name/value dialog)
// keeps it out. Frameless windows (the about window) have no title bar and stay as they are.
void PrepareModal(QDialog* dialog) {
    const Qt::WindowFlags flags = dialog->windowFlags();
    if (flags.testFlag(Qt::FramelessWindowHint))
        return;
    Qt::WindowFlags wanted = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             (flags & Qt::WindowStaysOnTopHint);
    if (!flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowCloseButtonHint))
        wanted |= Qt::WindowCloseButtonHint;
    if (flags != wanted)
        dialog->setWindowFlags(wanted);
    const int width = TitleBarWidth(dialog, dialog->windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        // A message box fixes its own size from its layout when shown; a spacer across its
        // grid makes the layout itself that wide.
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                          grid->rowCount(), 0, 1, grid->columnCount());
    } else if (dialog->minimumWidth() < width) {
        dialog->setMinimumWidth(width);
    }
}

int ExecModal(QDialog* dialog) {
    PrepareModal(dialog);
    return dialog->exec();
}

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
        // Paths, page titles and settings values are shown as they are: a name such as
        // "<img src=/dev/zero>" must never be taken for markup.
        box.setTextFormat(Qt::PlainText);
        switch (ExecModal(&box)) {
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
        QInputDialog dlg(parent);
        dlg.setWindowTitle(caption);
        dlg.setInputMode(QInputDialog::TextInput);
        dlg.setLabelText(prompt);
        dlg.setTextValue(preset);
        for (QLabel* label : dlg.findChildren<QLabel*>())
            label->setTextFormat(Qt::PlainText);
        if (ExecModal(&dlg) != QDialog::Accepted)
            return std::nullopt;
        return dlg.textValue();
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
        if (ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
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
        if (ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
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
        if (ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst();
    }

    std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override {
        QColorDialog dlg(initial, parent);
        if (ExecModal(&dlg) != QDialog::Accepted || !dlg.selectedColor().isValid())
            return std::nullopt;
        return dlg.selectedColor();
    }

    bool OpenWithShell(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    int ExecDialog(QDialog* dialog) override { return ExecModal(dialog); }
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
