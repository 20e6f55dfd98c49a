#include "app/DisplayCheck.h"

#include <QTest>

using namespace velmora;

class tst_DisplayCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missingDisplay_data();
    void missingDisplay();
    void platformFailedKeepsQtsFirstSentence();
};

void tst_DisplayCheck::missingDisplay_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<bool>("missing");
    QTest::newRow("nothing set") << ""
                                 << ""
                                 << "" << true;
    QTest::newRow("X11 display") << ""
                                 << ":0"
                                 << "" << false;
    QTest::newRow("Wayland display") << ""
                                     << ""
                                     << "wayland-0" << false;
    QTest::newRow("offscreen needs none") << "offscreen"
                                          << ""
                                          << "" << false;
    QTest::newRow("minimal needs none") << "minimal"
                                        << ""
                                        << "" << false;
    QTest::newRow("vnc with options needs none") << "vnc:size=800x600"
                                                 << ""
                                                 << "" << false;
    QTest::newRow("xcb without DISPLAY") << "xcb"
                                         << ""
                                         << "wayland-0" << true;
    QTest::newRow("xcb with DISPLAY") << "xcb"
                                      << ":1"
                                      << "" << false;
    QTest::newRow("wayland without WAYLAND_DISPLAY") << "wayland"
                                                     << ":0"
                                                     << "" << true;
    QTest::newRow("wayland-egl with WAYLAND_DISPLAY") << "wayland-egl"
                                                      << ""
                                                      << "wayland-1" << false;
    QTest::newRow("list: the second can start") << "wayland;xcb"
                                                << ":0"
                                                << "" << false;
    QTest::newRow("list: none can start") << "wayland;xcb"
                                          << ""
                                          << "" << true;
    QTest::newRow("list with a fallback that needs none") << "xcb;offscreen"
                                                          << ""
                                                          << "" << false;
    QTest::newRow("letter case and blanks") << " XCB "
                                            << ":0"
                                            << "" << false;
    QTest::newRow("blank platform is the default") << "  "
                                                   << ""
                                                   << "" << true;
}

void tst_DisplayCheck::missingDisplay()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(bool, missing);
    const auto message = DisplayCheck::missingDisplay(platform, display, wayland, "bin/velmora");
    QCOMPARE(message.has_value(), missing);
    if (message) {
        // One line that says what is missing and how to start the program anyway.
        QVERIFY(!message->contains('\n'));
        QVERIFY2(message->contains("DISPLAY"), qPrintable(*message));
        QVERIFY2(message->endsWith("xvfb-run -s '-screen 0 1024x768x24' bin/velmora"), qPrintable(*message));
    }
}

void tst_DisplayCheck::platformFailedKeepsQtsFirstSentence()
{
    const QString line = DisplayCheck::platformFailed(
        "This application failed to start because no Qt platform plugin could be initialized. Reinstalling "
        "the application may fix this problem.\n\nAvailable platform plugins are: xcb.",
        "velmora");
    QCOMPARE(line,
        "velmora: the window cannot open (This application failed to start because no Qt platform plugin "
        "could "
        "be initialized); start it from a desktop session, or inside a virtual screen: xvfb-run -s '-screen "
        "0 "
        "1024x768x24' velmora");
}

QTEST_APPLESS_MAIN(tst_DisplayCheck)
#include "tst_displaycheck.moc"
