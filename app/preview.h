// Looking at the page: the embedded preview (F12), the test in the default browser (F9),
// printing and printer setup, and the help window.
#pragma once

#include <QObject>

class TfrmMain;

class TPreview : public QObject {
    Q_OBJECT

public:
    // Builds the editor/preview strip and binds the preview, print and help commands.
    explicit TPreview(TfrmMain* window);

private:
    TfrmMain* W;
};
