// The quick-insert lists of the tag toolbar: headings, form elements, scripts, Cold Fusion,
// Active Server Pages, server variables and special characters.
#pragma once

#include <QObject>

class QComboBox;
class TfrmMain;

class TQuickLists : public QObject {
    Q_OBJECT

public:
    // Creates the seven lists; the window places them on its toolbars.
    explicit TQuickLists(TfrmMain* window);

    QComboBox *cbHeaderStyle = nullptr, *cbFormElement = nullptr, *cbScriptType = nullptr,
              *cbColdFusion = nullptr, *cbActiveSP = nullptr, *cbServerVars = nullptr,
              *cbSpecChars = nullptr;

    // Each acts on the entry its list shows, then puts the list back on its caption entry.
    void cbHeaderStyleChange();
    void cbFormElementChange();
    void cbScriptTypeChange();
    void cbColdFusionChange();
    void cbActiveSPChange();
    void cbServerVarsChange();
    void cbSpecCharsChange();

    // Every list on its caption entry; the heading list waits for a selection.
    void Reset();
    // The heading list wraps a selection, so it is usable only while there is one.
    void SelectionChanged(bool selected);

private:
    TfrmMain* W;
};
