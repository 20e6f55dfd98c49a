#include "support/RenderedContrast.h"
#include "windows/about.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

using namespace velmora;

class tst_About : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void labelsReadAsUnderTheLightPaletteUnderADarkOne_data();
    void labelsReadAsUnderTheLightPaletteUnderADarkOne();
    void backgroundAndButtonStayClassicUnderADarkPalette();
    void staysInsideTheScreenNearItsEdge_data();
    void staysInsideTheScreenNearItsEdge();

private:
    struct Seen {
        QColor text;
        QColor background;
        bool painted;
    };
    // Shows a new About window under `palette` and measures one control.
    Seen measure(const QPalette &palette, const char *name, QPalette::ColorRole textRole);

    QPalette m_light;
};

void tst_About::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    m_light = QApplication::palette();
}

void tst_About::cleanup()
{
    QApplication::setPalette(m_light);
}

tst_About::Seen tst_About::measure(const QPalette &palette, const char *name, QPalette::ColorRole textRole)
{
    QApplication::setPalette(palette);
    about window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the About window was not shown");
    const QImage picture = window.grab().toImage();
    auto *control = window.findChild<QWidget *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    const QColor text = control->palette().color(textRole);
    // Inside a button's edge: its outline is drawn in one colour, its face in a gradient.
    const int edge = qobject_cast<QPushButton *>(control) ? 3 : 0;
    const QRect place = RenderedContrast::placeIn(control).adjusted(edge, edge, -edge, -edge);
    return { text, RenderedContrast::dominantColour(picture, place),
        RenderedContrast::paints(picture, place, text) };
}

void tst_About::labelsReadAsUnderTheLightPaletteUnderADarkOne_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<double>("atLeast"); // WCAG AA for body text, where the colour is meant to be read
    QTest::newRow("Label3 credit, dark grey") << QByteArray("Label3") << 4.5;
    QTest::newRow("Label5 address, dark grey") << QByteArray("Label5") << 4.5;
    QTest::newRow("Label8 telephone, dark grey") << QByteArray("Label8") << 4.5;
    QTest::newRow("Label9 mobile, dark grey") << QByteArray("Label9") << 4.5;
    QTest::newRow("Label11 request, dark grey bold") << QByteArray("Label11") << 4.5;
    QTest::newRow("Label4 web site, blue") << QByteArray("Label4") << 4.5;
    QTest::newRow("Label10 e-mail, blue") << QByteArray("Label10") << 4.5;
    QTest::newRow("Label1 title shadow, button text") << QByteArray("Label1") << 4.5;
    QTest::newRow("Label6 company shadow, button text") << QByteArray("Label6") << 4.5;
    // Orange and brick red are drawn over their black shadows.
    QTest::newRow("Label2 title, orange") << QByteArray("Label2") << 0.0;
    QTest::newRow("Label7 company, brick red") << QByteArray("Label7") << 0.0;
}

void tst_About::labelsReadAsUnderTheLightPaletteUnderADarkOne()
{
    QFETCH(QByteArray, name);
    QFETCH(double, atLeast);
    const Seen light = measure(m_light, name, QPalette::WindowText);
    const Seen dark = measure(RenderedContrast::darkPalette(), name, QPalette::WindowText);
    QVERIFY2(light.painted, "the label's colour is not in the light picture");
    QVERIFY2(dark.painted, "the label's colour is not in the dark picture");
    const double lightRatio = RenderedContrast::ratio(light.text, light.background);
    const double darkRatio = RenderedContrast::ratio(dark.text, dark.background);
    qInfo("%s: %s on %s, %.2f:1 light; %s on %s, %.2f:1 dark", name.constData(),
        qPrintable(light.text.name()), qPrintable(light.background.name()), lightRatio,
        qPrintable(dark.text.name()), qPrintable(dark.background.name()), darkRatio);
    QVERIFY2(std::abs(lightRatio - darkRatio) < 0.05, "the label reads differently under a dark palette");
    QVERIFY2(darkRatio >= atLeast, qPrintable(QString("%1:1 is below %2:1").arg(darkRatio).arg(atLeast)));
}

void tst_About::backgroundAndButtonStayClassicUnderADarkPalette()
{
    const Seen background = measure(RenderedContrast::darkPalette(), "Frame1", QPalette::WindowText);
    QCOMPARE(background.background, QColor(0xD4, 0xD0, 0xC8));
    const Seen thanks = measure(RenderedContrast::darkPalette(), "Command1", QPalette::ButtonText);
    QVERIFY(thanks.painted);
    const double ratio = RenderedContrast::ratio(thanks.text, thanks.background);
    qInfo("Thanks: %s on %s, %.2f:1", qPrintable(thanks.text.name()), qPrintable(thanks.background.name()),
        ratio);
    QVERIFY(ratio >= 4.5);
}

void tst_About::staysInsideTheScreenNearItsEdge_data()
{
    // Where the owner's top-left corner is, from a corner of the screen's available area.
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("fromBottomRight");
    QTest::newRow("owner in the middle") << QPoint(100, 100) << false;
    QTest::newRow("owner past the bottom right edge") << QPoint(-300, -150) << true;
    QTest::newRow("owner past the left edge") << QPoint(-450, 20) << false;
}

void tst_About::staysInsideTheScreenNearItsEdge()
{
    QFETCH(QPoint, offset);
    QFETCH(bool, fromBottomRight);
    const QRect area = QApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setFixedSize(511, 326);
    owner.move((fromBottomRight ? area.bottomRight() : area.topLeft()) + offset);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QRect shown;
    QTimer::singleShot(0, this, [&] {
        auto *window = qobject_cast<about *>(QApplication::activeModalWidget());
        QVERIFY(window);
        shown = window->frameGeometry();
        window->accept();
    });
    about window(&owner);
    window.exec();
    QVERIFY2(area.contains(shown),
        qPrintable(QString("About at %1,%2 %3x%4 in %5x%6")
                       .arg(shown.x())
                       .arg(shown.y())
                       .arg(shown.width())
                       .arg(shown.height())
                       .arg(area.width())
                       .arg(area.height())));
    // Where it fits it is centred over its owner.
    QRect centred = shown;
    centred.moveCenter(owner.frameGeometry().center());
    if (area.contains(centred))
        QCOMPARE(shown, centred);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
