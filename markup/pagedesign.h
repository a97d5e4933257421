// The page-design commands: the new-document wizard with its colour templates, the page's style
// block and the CSS class editor.
#pragma once

#include <QObject>
#include <QString>

class TfrmMain;

class TPageDesign : public QObject {
    Q_OBJECT

public:
    // Installs the wizard behind "Новый" and binds the style commands.
    explicit TPageDesign(TfrmMain* window);

    // Shows the wizard; a written page's path is left in the window's PendingPath.
    void ShowWizard();
    // Makes sure the shown page has a style block and puts the caret on an empty line in it.
    void acStyleExecute();
    // Shows the class editor and puts the rule into the first linked style sheet, or into the
    // page's own style block.
    void ShowClassEditor();

private:
    QString ShownPageFile() const;
    // Opens the sheet and appends the rule to it; false when the sheet could not be shown
    // writable (missing, a web address, read-only), with the page shown again.
    bool AppendToStyleSheet(const QString& sheet, const QString& rule);

    TfrmMain* W;
};
