// Program entry: the application, the main window and the message loop.
#include "app/main2.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setApplicationDisplayName(u"Quorvane"_s);
    QApplication::setOrganizationName(u"Quorvane"_s);
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    TfrmMain w(args);
    w.showMaximized();
    return QApplication::exec();
}
