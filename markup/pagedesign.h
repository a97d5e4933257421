// The page-design commands: the new-document wizard with its colour templates, the page's style
// block and the CSS class editor.
#pragma once

#include <QObject>

class TfrmMain;

class TPageDesign : public QObject {
    Q_OBJECT

public:
    // Installs the wizard behind "Новый" and binds the style commands.
    explicit TPageDesign(TfrmMain* window);

private:
    TfrmMain* W;
};
