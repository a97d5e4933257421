// Find and replace: the "Поиск" page of the left pane, in the shown page and across the project,
// with the results list below the editor.
#pragma once

#include <QObject>

class TfrmMain;

class TFindReplace : public QObject {
    Q_OBJECT

public:
    // Builds the search page's controls and binds the find commands.
    explicit TFindReplace(TfrmMain* window);

private:
    TfrmMain* W;
};
