#include "app/CommandLine.h"
#include "app/DicFrm.h"
#include "app/DisplayCheck.h"
#include "base/Error.h"
#include "character/CharacterCheck.h"
#include "windows/ClassicFonts.h"
#include "windows/QtMessageSink.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_program;

// Qt ends the process with abort() and a core dump when its platform cannot
// start (a DISPLAY whose server does not answer). While the GUI application
// is being made, a fatal message ends the program with one line and status
// 1 instead; everything else goes to Qt's own handler.
QtMessageHandler g_qtHandler = nullptr;
void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (g_qtHandler)
            g_qtHandler(type, context, message);
        else
            std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
        return;
    }
    std::fputs(
        qPrintable(velmora::DisplayCheck::platformFailed(message, g_program) + QLatin1Char('\n')), stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    // Options are answered before any GUI application exists, so that they
    // work in a terminal without a display.
    QString platform;
    QString display = qEnvironmentVariable("DISPLAY");
    QString checkCharacter;
    {
        QCoreApplication core(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const velmora::CommandLine::Outcome outcome
            = velmora::CommandLine::run(QCoreApplication::arguments(), out, err);
        if (outcome.exitStatus)
            return *outcome.exitStatus;
        platform = outcome.platform;
        if (!outcome.display.isEmpty())
            display = outcome.display;
        checkCharacter = outcome.checkCharacter;
    }
    if (!checkCharacter.isEmpty()) {
        // Drawing needs fonts, fonts need a GUI application; no display is needed.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication gui(argc, argv);
        const velmora::character::CharacterCheck check
            = velmora::character::CharacterCheck::run(checkCharacter);
        std::fputs(qUtf8Printable(check.report), check.accepted ? stdout : stderr);
        return check.accepted ? 0 : 1;
    }
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    // Qt would abort without a display; say what is missing instead.
    g_program = QString::fromLocal8Bit(argv[0]);
    if (const auto missing = velmora::DisplayCheck::missingDisplay(
            platform, display, qEnvironmentVariable("WAYLAND_DISPLAY"), g_program)) {
        std::fputs(qPrintable(*missing + QLatin1Char('\n')), stderr);
        return 1;
    }

    g_qtHandler = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_qtHandler);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationDomain(QStringLiteral("velmora.example.org"));
    QApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
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
    form.showWindowIcon(QStringLiteral(VELMORA_APP_ID));
    return app.exec();
}
