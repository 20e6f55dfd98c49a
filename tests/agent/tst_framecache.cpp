#include "TestCharacterFile.h"
#include "agent/CharacterFileParser.h"
#include "agent/FrameCache.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QElapsedTimer>
#include <QTest>

using velmora::Error;
using velmora::agent::CharacterDefinition;
using velmora::agent::CharacterFileParser;
using velmora::agent::FrameCache;
namespace ErrorNumber = velmora::ErrorNumber;

class tst_FrameCache : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rendersEachDrawingOnce();
    void maskFollowsTheFigure();
    void slowDrawingsAreRefusedInTime();
};

void tst_FrameCache::rendersEachDrawingOnce()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    const FrameCache frames(c, "testy.vchar");
    QCOMPARE(frames.count(), c.drawings.size());
    QCOMPARE(frames.size(), QSize(100, 120));
    const QImage &rest = frames.image(c.animation(u"Rest")->frames.at(0).drawing);
    QCOMPARE(rest.size(), QSize(100, 120));
    // The body is drawn where the file says, with the gradient from Defs
    // running from #336699 at its left to #224466 at its right; the corner stays clear.
    const int leftBlue = qBlue(rest.pixel(23, 40));
    const int rightBlue = qBlue(rest.pixel(77, 40));
    QVERIFY(leftBlue <= 0x99 && leftBlue > rightBlue && rightBlue >= 0x66);
    QCOMPARE(qAlpha(rest.pixel(50, 40)), 255);
    QCOMPARE(qAlpha(rest.pixel(5, 5)), 0);
    // The second Wave frame moves the arm by 2 pixels: a different picture.
    const QImage &armed = frames.image(c.animation(u"Wave")->frames.at(1).drawing);
    QCOMPARE(qAlpha(armed.pixel(1, 44)), 0);
    QVERIFY(qAlpha(armed.pixel(3, 44)) > 0);
}

void tst_FrameCache::maskFollowsTheFigure()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    const FrameCache frames(c, "testy.vchar");
    const QRegion &mask = frames.mask(c.animation(u"Rest")->frames.at(0).drawing);
    QVERIFY(mask.contains(QPoint(50, 40)));
    QVERIFY(!mask.contains(QPoint(5, 5)));
    QVERIFY(!mask.contains(QPoint(95, 115)));
    // The body's rectangle, give or take its outline.
    QVERIFY(QRect(18, 8, 65, 105).contains(mask.boundingRect()));
    QVERIFY(mask.boundingRect().contains(QRect(21, 11, 58, 98)));
}

void tst_FrameCache::slowDrawingsAreRefusedInTime()
{
    // Each frame stays within the file's limits, but together they would
    // take far longer to draw than anyone would wait.
    QByteArray content = testCharacterFile();
    content.replace("Size: 100 120", "Size: 512 512");
    content += "Part heavy\n"
        + QByteArray("<circle cx=\"9\" cy=\"9\" r=\"99999\" fill=\"#345678\" opacity=\"0.5\"/>\n")
              .repeated(990)
        + "End\nAnimation Heavy\n";
    for (int i = 0; i < 60; ++i)
        content += " 20 heavy@translate(" + QByteArray::number(i) + ",0)\n";
    content += "End\n";
    const CharacterDefinition c = CharacterFileParser::parse(content, "slow.vchar");

    QElapsedTimer clock;
    clock.start();
    try {
        FrameCache frames(c, "slow.vchar");
        QFAIL("every frame was drawn");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterError);
        QVERIFY2(e.description().contains("take more than 2 seconds"), qPrintable(e.description()));
    }
    QVERIFY(clock.elapsed() < 4 * FrameCache::MaxRenderMs);
}

QTEST_MAIN(tst_FrameCache)
#include "tst_framecache.moc"
