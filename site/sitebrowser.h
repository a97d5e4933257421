// The site browser and the projects: the site model, the list of the current project folder
// in the left pane, its file commands and the project dialogs.
#pragma once

#include <QObject>

class TfrmMain;

class TSiteBrowser : public QObject {
    Q_OBJECT

public:
    // Builds the browser above the navigator's lists and binds the project commands.
    explicit TSiteBrowser(TfrmMain* window);

private:
    TfrmMain* W;
};
