#include "app/DicFrm.h"
#include "base/Error.h"
#include "windows/ClassicFonts.h"
#include "windows/QtMessageSink.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationDomain(QStringLiteral("velmora.example.org"));
    QApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    QApplication::setFont(velmora::ClassicFonts::msSansSerif());

    velmora::DicFrm form;
    // The installed theme icon, in all its sizes; the built-in one otherwise.
    form.setWindowIcon(QIcon::fromTheme(QStringLiteral(VELMORA_APP_ID), form.windowIcon()));
    try {
        form.Form_Load();
    } catch (const velmora::Error &error) {
        // Nothing is shown yet: report why and end.
        velmora::QtMessageSink().show(error.description());
        return 1;
    }
    form.show();
    return app.exec();
}
