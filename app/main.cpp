#include "app/CommandLine.h"
#include "app/DicFrm.h"
#include "app/DisplayCheck.h"
#include "base/Error.h"
#include "windows/ClassicFonts.h"
#include "windows/QtMessageSink.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Options are answered before any GUI application exists, so that they
    // work in a terminal without a display.
    QString platform;
    {
        QCoreApplication core(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const velmora::CommandLine::Outcome outcome
            = velmora::CommandLine::run(QCoreApplication::arguments(), out, err);
        if (outcome.exitStatus)
            return *outcome.exitStatus;
        platform = outcome.platform;
    }
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    // Qt would abort without a display; say what is missing instead.
    if (const auto missing = velmora::DisplayCheck::missingDisplay(platform, qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY"), QString::fromLocal8Bit(argv[0]))) {
        std::fputs(qPrintable(*missing + QLatin1Char('\n')), stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationDomain(QStringLiteral("velmora.example.org"));
    QApplication::setFont(velmora::ClassicFonts::msSansSerif());

    velmora::DicFrm form;
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
