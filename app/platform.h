// Everything the program asks of the desktop through a dialog of its own: message boxes,
// questions, input boxes, file, folder and colour pickers, the shell's "open" and the showing of
// modal windows. The real implementation calls Qt; tests install a scripted one that answers in
// order and records what was asked, so every Russian text can be checked headless.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

enum class TMsgKind { Information, Warning, Error, Confirmation };
enum class TAnswer { Ok, Yes, No, Cancel };
enum class TButtons { Ok, YesNo, YesNoCancel };

struct TOpenFileRequest {
    QString Title;
    QString Filter; // "Name|pattern|Name|pattern" pairs
    QString DefaultExt;
    QString InitialDir;
    QString FileName;
    bool OfferReadOnly = false;
};

struct TOpenFileResult {
    QString FileName;
    bool ReadOnly = false; // the "open read-only" box was ticked
};

struct TSaveFileRequest {
    QString Title;
    QString Filter;
    QString DefaultExt;
    QString InitialDir;
    QString FileName; // proposed name
    bool ConfirmOverwrite = true;
    // Called when the user picks another file type (index into the filter's pairs); returns the
    // new proposed name, or an empty text to leave it.
    std::function<QString(int)> OnTypeChange;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    virtual TAnswer MessageBox(QWidget* parent, TMsgKind kind, const QString& text,
                               TButtons buttons, const QString& caption) = 0;
    virtual std::optional<QString> InputBox(QWidget* parent, const QString& caption,
                                            const QString& prompt, const QString& preset) = 0;
    virtual std::optional<TOpenFileResult> OpenFile(QWidget* parent,
                                                    const TOpenFileRequest& request) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const TSaveFileRequest& request) = 0;
    virtual std::optional<QString> BrowseFolder(QWidget* parent, const QString& caption,
                                                const QString& prompt,
                                                const QString& startFolder) = 0;
    virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) = 0;
    virtual bool OpenWithShell(const QUrl& url) = 0;
    // Shows a modal window and returns its result code (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog* dialog) = 0;
};

// The platform in force: the Qt one unless a test installed another.
IPlatform& Platform();
// Installs a platform (nullptr restores the Qt one); the caller keeps ownership.
void SetPlatform(IPlatform* platform);

// Short forms for the common message boxes; the caption is the application's title.
void ShowInfo(QWidget* parent, const QString& text);
void ShowWarning(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const QString& text);
TAnswer AskYesNo(QWidget* parent, const QString& text);
TAnswer AskYesNoCancel(QWidget* parent, const QString& text);

// Turns "Name|pattern|Name|pattern" into Qt's "Name (pattern)" filters.
QStringList QtFilters(const QString& filter);
