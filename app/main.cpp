#include <QApplication>
#include <QMessageBox>

#include "Version.h"
#include "app/frmQuerimo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(querimo::version::productName);
    QApplication::setApplicationName(querimo::version::productName);
    QApplication::setApplicationVersion(
        QString("%1.%2.%3").arg(querimo::version::major).arg(querimo::version::minor).arg(querimo::version::revision));
    frmQuerimo window;
    if (!window.Geladen()) {
        QMessageBox::critical(nullptr, querimo::version::productName, window.StartFout());
        return 1;
    }
    window.show();
    return app.exec();
}
