#include "base/ScreenFit.h"

#include <QTest>

using namespace velmora;

class tst_ScreenFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keptInside_data();
    void keptInside();
};

void tst_ScreenFit::keptInside_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("expected");

    const QRect screen(0, 0, 1366, 768);
    // A 2x scale factor halves the screen the program sees.
    const QRect scaled(0, 0, 683, 384);
    QTest::newRow("fits: stays") << QRect(610, 50, 128, 128) << screen << QRect(610, 50, 128, 128);
    QTest::newRow("touching the right edge: stays")
        << QRect(1238, 50, 128, 128) << screen << QRect(1238, 50, 128, 128);
    QTest::newRow("one pixel past the right edge")
        << QRect(1239, 50, 128, 128) << screen << QRect(1238, 50, 128, 128);
    QTest::newRow("610,50 at scale 2: past the right edge")
        << QRect(610, 50, 128, 128) << scaled << QRect(555, 50, 128, 128);
    QTest::newRow("past the bottom") << QRect(10, 700, 100, 100) << screen << QRect(10, 668, 100, 100);
    QTest::newRow("above and left of the area")
        << QRect(-40, -5, 100, 100) << QRect(0, 30, 800, 570) << QRect(0, 30, 100, 100);
    QTest::newRow("area not at the origin (second screen, top panel)")
        << QRect(1300, 10, 200, 100) << QRect(1366, 28, 1920, 1052) << QRect(1366, 28, 200, 100);
    QTest::newRow("past the far corner of a second screen")
        << QRect(3200, 1050, 200, 100) << QRect(1366, 28, 1920, 1052) << QRect(3086, 980, 200, 100);
    QTest::newRow("larger than the area: top-left corner inside")
        << QRect(100, 100, 900, 500) << scaled << QRect(0, 0, 900, 500);
    QTest::newRow("no area known: stays")
        << QRect(5000, 5000, 10, 10) << QRect() << QRect(5000, 5000, 10, 10);
}

void tst_ScreenFit::keptInside()
{
    QFETCH(QRect, box);
    QFETCH(QRect, area);
    QFETCH(QRect, expected);
    QCOMPARE(velmora::keptInside(box, area), expected);
}

QTEST_APPLESS_MAIN(tst_ScreenFit)
#include "tst_screenfit.moc"
