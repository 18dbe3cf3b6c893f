// orvelin-programmer on Linux and macOS: the operator window in Qt.
#include "qt/language.h"
#include "qt/main_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvelin-programmer"));
    QApplication::setDesktopFileName(QStringLiteral("orvelin-programmer"));
    useLanguage(QLocale::system());
    MainWindow window;
    window.show();
    return QApplication::exec();
}
