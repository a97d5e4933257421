#include "markup/pagedesign.h"

#include "app/RichEditEx.h"
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/main2.h"
#include "app/textfile.h"
#include "html/navigator.h"
#include "markup/cssclass.h"
#include "markup/stylelogic.h"
#include "markup/wizard.h"
#include "site/sitebrowser.h"

#include <QAction>
#include <QDir>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

TPageDesign::TPageDesign(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("PageDesign"));
    W->ShowWizard = [this] { ShowWizard(); };
    W->Bind(W->acStyle, [this] { acStyleExecute(); });
    // "Определить класс CSS" is bound by the navigator that owns its list; it calls this.
    if (W->Navigator)
        W->Navigator->ShowClassEditor = [this] { ShowClassEditor(); };
}

QString TPageDesign::ShownPageFile() const {
    const int i = W->CurrentIndex();
    const QStringList names = W->FileNames();
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

void TPageDesign::ShowWizard() {
    TWizardContext context;
    context.PageFile = ShownPageFile();
    context.ProjectRoot = W->ProjectRootDir ? W->ProjectRootDir() : QString();
    context.SaveTo = W->SaveDialogDir;
    context.TemplatesFile = TemplatesFilePath();
    // "Не включать в проект" switches the loaded project off (and on again); with no project
    // loaded there is nothing to switch.
    if (W->SiteBrowser && W->SiteBrowser->ProjectLoaded())
        context.SetProjectActive = [this](bool active) { W->SiteBrowser->SetSiteActive(active); };
    TfrmWizard wizard(context, W);
    if (!wizard.LoadError().isEmpty())
        ShowError(W, wizard.LoadError());
    const int result = Platform().ExecDialog(&wizard);
    // The templates are kept whatever way the wizard closed; a failure to keep them is told
    // but does not hold the new page back.
    if (const QString error = wizard.SaveTemplates(); !error.isEmpty())
        ShowError(W, error);
    if (result == QDialog::Accepted)
        W->PendingPath = wizard.ResultPath();
}

void TPageDesign::acStyleExecute() {
    if (W->CurrentIndex() < 0)
        return;
    const TStylePlacement p = StyleBlockPlacement(W->reSource->Text());
    W->reSource->Select(p.Position, 0);
    W->InsertText(p.Insertion.Text, p.Insertion.K, p.Insertion.LineBreak);
}

void TPageDesign::ShowClassEditor() {
    if (W->CurrentIndex() < 0)
        return;
    const QString page = ShownPageFile();
    TfrmClass editor(QFontDatabase::families(), page, W);
    if (Platform().ExecDialog(&editor) != QDialog::Accepted || editor.Rule().isEmpty())
        return;
    W->ScanShownPage();
    const QString sheet = ClassRuleSheetPath(W->HpParser->StyleSheets(), page);
    if (!sheet.isEmpty() && AppendToStyleSheet(sheet, editor.Rule()))
        return;
    acStyleExecute();
    W->InsertText(editor.Rule(), 0, true);
}

bool TPageDesign::AppendToStyleSheet(const QString& sheet, const QString& rule) {
    const int pageIndex = W->CurrentIndex();
    W->PendingPath = sheet;
    W->OpenDocument(osGivenPath);
    W->PendingPath.clear();
    const int shown = W->CurrentIndex();
    if (shown < 0 || shown != W->FindDocument(QDir::cleanPath(sheet)) || shown == pageIndex ||
        W->reSource->isReadOnly()) {
        // Rule text after the page's end would be no CSS at all: the page's block takes it.
        if (W->CurrentIndex() != pageIndex)
            W->SelectDocument(pageIndex);
        return false;
    }
    const QString text = W->reSource->Text();
    W->reSource->Select(int(text.size()), 0);
    const QString added = AppendedAsLastLines(text, rule);
    // The appended line break is the one InsertText adds.
    W->InsertText(added.chopped(1), 0, true);
    return true;
}
