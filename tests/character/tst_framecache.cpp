#include "TestCharacterFile.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"
#include "doubles/HeldFrameDrawing.h"
#include "doubles/ManualClock.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <memory>

using velmora::Error;
using velmora::character::CharacterDefinition;
using velmora::character::CharacterFileParser;
using velmora::character::FrameCache;
namespace ErrorNumber = velmora::ErrorNumber;

namespace {

// Within every other limit of the file, but seconds to draw at 512 x 512
// (990 huge circles): the work count refuses it.
QByteArray heavyPart()
{
    return "Part heavy\n"
        + QByteArray("<circle cx=\"9\" cy=\"9\" r=\"99999\" fill=\"#345678\" opacity=\"0.5\"/>\n")
              .repeated(990)
        + "End\n";
}

// The test character with an animation Slow of `frames` drawings of its own.
// They draw quickly; how long they take is up to the clock the cache reads.
CharacterDefinition withSlowFrames(int frames)
{
    QByteArray content = testCharacterFile() + "Animation Slow\n";
    for (int i = 0; i < frames; ++i)
        content += " 20 rest arm@translate(" + QByteArray::number(10 + i) + ",0)\n";
    content += "End\n";
    return CharacterFileParser::parse(content, "slow.vchar");
}

int restOf(const CharacterDefinition &c)
{
    return c.animation(u"Rest")->frames.at(0).drawing;
}

} // namespace

class tst_FrameCache : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsWhatTheFileSays();
    void drawsEachFrameOnceOnFirstUse();
    void renderNextDrawsTheOthersInTheBackground();
    void drawingHappensOffTheCallingThread();
    void stoppedWhileDrawingIsSafe();
    void maskFollowsTheFigure();
    void drawnAtTheDevicePixelRatio_data();
    void drawnAtTheDevicePixelRatio();
    void busyDrawingsDrawnLessFinelyOnScaledScreens();
    void unreadableDrawingsFailTheLoad_data();
    void unreadableDrawingsFailTheLoad();
    void slowRestPoseFailsTheLoad();
    void slowFramesStopTheDrawing_data();
    void slowFramesStopTheDrawing();
    void framesAtTheLimitsAreAllDrawn();
};

void tst_FrameCache::drawsWhatTheFileSays()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    FrameCache frames(c, "testy.vchar");
    QCOMPARE(frames.count(), c.drawings.size());
    QCOMPARE(frames.size(), QSize(100, 120));
    const QImage &rest = frames.drawNow(restOf(c));
    QCOMPARE(rest.size(), QSize(100, 120));
    // The body is drawn where the file says, with the gradient from Defs
    // running from #336699 at its left to #224466 at its right; the corner stays clear.
    const int leftBlue = qBlue(rest.pixel(23, 40));
    const int rightBlue = qBlue(rest.pixel(77, 40));
    QVERIFY(leftBlue <= 0x99 && leftBlue > rightBlue && rightBlue >= 0x66);
    QCOMPARE(qAlpha(rest.pixel(50, 40)), 255);
    QCOMPARE(qAlpha(rest.pixel(5, 5)), 0);
    // The second Wave frame moves the arm by 2 pixels: a different picture.
    const QImage &armed = frames.drawNow(c.animation(u"Wave")->frames.at(1).drawing);
    QCOMPARE(qAlpha(armed.pixel(1, 44)), 0);
    QVERIFY(qAlpha(armed.pixel(3, 44)) > 0);
}

void tst_FrameCache::drawsEachFrameOnceOnFirstUse()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    FrameCache frames(c, "testy.vchar");
    // Loading draws nothing: the checks only read the drawings.
    QCOMPARE(frames.renderedCount(), 0);
    QVERIFY(!frames.isComplete());
    const qint64 restKey = frames.drawNow(restOf(c)).cacheKey();
    QCOMPARE(frames.renderedCount(), 1);
    QCOMPARE(frames.drawNow(restOf(c)).cacheKey(), restKey);
    QCOMPARE(frames.renderedCount(), 1);

    // Not drawn yet, a drawing shows the rest pose and is not ready.
    const int wave = c.animation(u"Wave")->frames.at(1).drawing;
    QVERIFY(!frames.isReady(wave));
    QCOMPARE(frames.image(wave).cacheKey(), restKey);
    const qint64 waveKey = frames.drawNow(wave).cacheKey();
    QVERIFY(frames.isReady(wave));
    QCOMPARE(frames.renderedCount(), 2);
    QVERIFY(waveKey != restKey);
    // Asked again, the same picture comes from the cache.
    QCOMPARE(frames.image(wave).cacheKey(), waveKey);
    QCOMPARE(frames.drawNow(wave).cacheKey(), waveKey);
    // Its mask is that picture's own figure: every pixel at least 96/255
    // opaque is inside, every other pixel outside.
    const QImage picture = frames.image(wave).convertToFormat(QImage::Format_ARGB32);
    const QRegion mask = frames.mask(wave);
    QVERIFY(mask != frames.mask(restOf(c)));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            QVERIFY2(mask.contains(QPoint(x, y)) == (qAlpha(picture.pixel(x, y)) >= 96),
                qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
    QCOMPARE(frames.renderedCount(), 2);
}

void tst_FrameCache::renderNextDrawsTheOthersInTheBackground()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    auto gate = HeldFrameDrawing::make();
    FrameCache frames(c, "testy.vchar", FrameCache::DefaultTimeLimits, 1.0, HeldFrameDrawing::drawing(gate));
    QSignalSpy drawn(&frames, &FrameCache::drawn);
    const int speaking = c.animation(u"Speaking")->frames.at(2).drawing;
    frames.request(restOf(c));
    // Once queued, the others are drawn one after another; asking again queues nothing.
    QVERIFY(frames.renderNext());
    QVERIFY(!frames.renderNext());
    // A drawing asked for goes before those drawn ahead.
    frames.request(speaking);
    QCOMPARE(frames.renderedCount(), 0);
    gate->release();
    QTRY_VERIFY(frames.isComplete());
    QCOMPARE(drawn.at(0).at(0).toInt(), restOf(c));
    QCOMPARE(drawn.at(1).at(0).toInt(), speaking);
    const qint64 speakingKey = frames.image(speaking).cacheKey();
    QCOMPARE(frames.renderedCount(), c.drawings.size());
    QCOMPARE(gate->started.load(), c.drawings.size());
    // Each drawn once, the rest pose and the drawing already shown not again.
    QList<int> each;
    for (const QList<QVariant> &signal : std::as_const(drawn))
        each.append(signal.at(0).toInt());
    std::sort(each.begin(), each.end());
    QCOMPARE(std::unique(each.begin(), each.end()), each.end());
    QCOMPARE(each.size(), c.drawings.size());
    QCOMPARE(frames.image(speaking).cacheKey(), speakingKey);
    QVERIFY(!frames.renderNext());
}

void tst_FrameCache::drawingHappensOffTheCallingThread()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    auto gate = HeldFrameDrawing::make();
    FrameCache frames(c, "testy.vchar", FrameCache::DefaultTimeLimits, 1.0, HeldFrameDrawing::drawing(gate));
    QSignalSpy drawn(&frames, &FrameCache::drawn);
    frames.request(restOf(c));
    // The drawing is held on its thread; here everything goes on.
    QTRY_COMPARE(gate->started.load(), 1);
    QTest::qWait(50);
    QCOMPARE(drawn.size(), 0);
    QVERIFY(!frames.isReady(restOf(c)));
    // Meanwhile every drawing is a blank picture of the frame's size.
    QCOMPARE(frames.image(restOf(c)).size(), QSize(100, 120));
    QCOMPARE(qAlpha(frames.image(restOf(c)).pixel(50, 40)), 0);
    QVERIFY(frames.mask(restOf(c)).isEmpty());

    gate->release();
    QVERIFY(drawn.wait(5000));
    QCOMPARE(drawn.at(0).at(0).toInt(), restOf(c));
    QVERIFY(frames.isReady(restOf(c)));
    QCOMPARE(qAlpha(frames.image(restOf(c)).pixel(50, 40)), 255);
    QVERIFY(gate->offTheHomeThread);
}

void tst_FrameCache::stoppedWhileDrawingIsSafe()
{
    // Unloading a character drops its frames while one is still being drawn:
    // the drawing ends on its thread and goes nowhere.
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    auto gate = HeldFrameDrawing::make();
    {
        auto frames = std::make_unique<FrameCache>(
            c, "testy.vchar", FrameCache::DefaultTimeLimits, 1.0, HeldFrameDrawing::drawing(gate));
        frames->request(restOf(c));
        frames->renderNext();
        QTRY_COMPARE(gate->started.load(), 1);
        QSignalSpy drawn(frames.get(), &FrameCache::drawn);
        frames->stop();
        gate->release();
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(20);
        QCOMPARE(drawn.size(), 0);
        QCOMPARE(frames->renderedCount(), 0);
        // Nothing more is drawn once stopped.
        frames->request(restOf(c));
        QVERIFY(!frames->renderNext());
        QTest::qWait(20);
        QCOMPARE(gate->started.load(), 1);
    }
    {
        // Destroyed outright while drawing.
        auto frames = std::make_unique<FrameCache>(
            c, "testy.vchar", FrameCache::DefaultTimeLimits, 1.0, HeldFrameDrawing::drawing(gate));
        gate->holdAgain();
        frames->request(restOf(c));
        QTRY_COMPARE(gate->started.load(), 2);
        frames.reset();
        gate->release();
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(20);
    }
}

void tst_FrameCache::maskFollowsTheFigure()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    FrameCache frames(c, "testy.vchar");
    frames.drawNow(restOf(c));
    const QRegion &mask = frames.mask(restOf(c));
    QVERIFY(mask.contains(QPoint(50, 40)));
    QVERIFY(!mask.contains(QPoint(5, 5)));
    QVERIFY(!mask.contains(QPoint(95, 115)));
    // The body's rectangle, give or take its outline.
    QVERIFY(QRect(18, 8, 65, 105).contains(mask.boundingRect()));
    QVERIFY(mask.boundingRect().contains(QRect(21, 11, 58, 98)));
}

void tst_FrameCache::drawnAtTheDevicePixelRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("1.5x") << 1.5;
    QTest::newRow("2x") << 2.0;
    QTest::newRow("3x") << 3.0;
}

void tst_FrameCache::drawnAtTheDevicePixelRatio()
{
    QFETCH(qreal, ratio);
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    FrameCache frames(c, "testy.vchar", FrameCache::DefaultTimeLimits, ratio);
    QCOMPARE(frames.size(), QSize(100, 120));
    const QImage &rest = frames.drawNow(restOf(c));
    // One picture pixel per device pixel: nothing is scaled up on the screen.
    QCOMPARE(rest.size(), QSize(100, 120) * ratio);
    QCOMPARE(rest.devicePixelRatio(), ratio);
    QCOMPARE(rest.deviceIndependentSize(), QSizeF(100, 120));
    // The same figure in the same place, only finer.
    QCOMPARE(qAlpha(rest.pixel(QPoint(50, 40) * ratio)), 255);
    QCOMPARE(qAlpha(rest.pixel(QPoint(5, 5) * ratio)), 0);
    // The body's left edge: its outline is as thin in device pixels as at 1x,
    // where a picture drawn at 1x and scaled up would smear it over `ratio` pixels.
    int partial = 0;
    for (int x = 0; x < rest.width() / 2; ++x) {
        const int alpha = qAlpha(rest.pixel(x, int(40 * ratio)));
        partial += alpha > 0 && alpha < 255;
    }
    QVERIFY2(partial <= 2, qPrintable(QString("%1 half-covered pixels at the edge").arg(partial)));
    // The mask stays in pixels of the frame, for the window.
    const QRegion &mask = frames.mask(restOf(c));
    QVERIFY(QRect(18, 8, 65, 105).contains(mask.boundingRect()));
    QVERIFY(mask.boundingRect().contains(QRect(21, 11, 58, 98)));
}

void tst_FrameCache::busyDrawingsDrawnLessFinelyOnScaledScreens()
{
    // Near the work limit at 1x, a frame would take about nine times as long at 3x.
    QByteArray content = testCharacterFile();
    content.replace("Size: 100 120", "Size: 512 512");
    QByteArray busy = "Part busy\n<path fill=\"none\" stroke=\"#000\" stroke-width=\"300\" d=\"M0,0";
    for (int i = 0; i < 30; ++i)
        busy += i % 2 ? " L0,0" : " L9,9";
    content += busy + "\"/>\nEnd\nAnimation Busy\n 20 busy\nEnd\n";
    const CharacterDefinition c = CharacterFileParser::parse(content, "busy.vchar");
    const int drawing = c.animation(u"Busy")->frames.at(0).drawing;
    QVERIFY(c.drawingWork.at(drawing) > CharacterFileParser::MaxWorkPerFrame / 4);

    FrameCache frames(c, "busy.vchar", FrameCache::DefaultTimeLimits, 3.0);
    // The rest pose is cheap: as fine as the screen.
    QCOMPARE(frames.devicePixelRatio(restOf(c)), 3.0);
    QCOMPARE(frames.drawNow(restOf(c)).devicePixelRatio(), 3.0);
    // The busy frame: finer than 1x, within the limit's work, the same size on screen.
    const qreal ratio = frames.devicePixelRatio(drawing);
    QVERIFY2(ratio >= 1.0 && ratio < 3.0, qPrintable(QString::number(ratio)));
    QVERIFY(
        double(c.drawingWork.at(drawing)) * ratio * ratio <= CharacterFileParser::MaxWorkPerFrame * 1.001);
    const QImage &image = frames.drawNow(drawing);
    QCOMPARE(image.devicePixelRatio(), ratio);
    QCOMPARE(image.deviceIndependentSize().toSize(), QSize(512, 512));
    QVERIFY(frames.mask(drawing).boundingRect().width() <= 512);
}

void tst_FrameCache::unreadableDrawingsFailTheLoad_data()
{
    // The file's own checks leave nothing Qt SVG cannot read; these
    // definitions are broken by hand after parsing.
    QTest::addColumn<bool>("brokenPieces");
    QTest::addColumn<bool>("brokenDrawing");
    QTest::addColumn<QString>("failure"); // empty: loads
    QTest::newRow("a drawing and its pieces")
        << true << true << "the frame 2 of the animation \"Rest\" cannot be drawn";
    QTest::newRow("a piece no frame uses") << true << false << "";
    QTest::newRow("all readable") << false << false << "";
}

void tst_FrameCache::unreadableDrawingsFailTheLoad()
{
    QFETCH(bool, brokenPieces);
    QFETCH(bool, brokenDrawing);
    QFETCH(QString, failure);
    CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    const QByteArray unreadable = "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect width=\"9\"";
    if (brokenPieces)
        c.pieces = unreadable;
    if (brokenDrawing)
        c.drawings[c.animation(u"Wave")->frames.at(1).drawing] = unreadable;
    try {
        const FrameCache frames(c, "testy.vchar");
        QVERIFY2(failure.isEmpty(), "loaded");
        QCOMPARE(frames.renderedCount(), 0);
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterError);
        QVERIFY2(!failure.isEmpty() && e.description().contains(failure), qPrintable(e.description()));
    }
}

void tst_FrameCache::slowRestPoseFailsTheLoad()
{
    // The rest pose is what every other frame falls back to: it has to draw
    // quickly. Nothing slow gets as far as drawing: the file is refused first.
    QByteArray content = testCharacterFile();
    content.replace("Size: 100 120", "Size: 512 512");
    content.replace("Pose rest: body mouth-closed", "Pose rest: body mouth-closed heavy");
    try {
        CharacterFileParser::parse(content + heavyPart(), "slow.vchar");
        QFAIL("the slow rest pose was accepted");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterError);
        QVERIFY2(e.description().contains("\"slow.vchar\"")
                && e.description().contains("the frame is too much work to draw"),
            qPrintable(e.description()));
    }
}

void tst_FrameCache::slowFramesStopTheDrawing_data()
{
    // Every frame after the rest pose takes 100 ms on the test clock.
    QTest::addColumn<int>("frameMs");
    QTest::addColumn<int>("totalMs");
    QTest::addColumn<int>("drawn"); // slow frames drawn before the drawing stops
    QTest::newRow("one frame too slow") << 50 << 100000 << 1;
    QTest::newRow("frames too slow together") << 100000 << 300 << 4; // the fourth goes over
}

void tst_FrameCache::slowFramesStopTheDrawing()
{
    QFETCH(int, frameMs);
    QFETCH(int, totalMs);
    QFETCH(int, drawn);
    const int slowFrames = 8;
    const CharacterDefinition c = withSlowFrames(slowFrames);
    ManualClock clock;
    FrameCache frames(c, "slow.vchar", { frameMs, totalMs }, 1.0, FrameCache::draw, clock);
    const QImage rest = frames.drawNow(restOf(c));
    clock.setStepPerRead(100);

    // Drawing the slow frames one after the other stops before the last, and says so.
    QTest::ignoreMessage(QtWarningMsg,
        "\"slow.vchar\": its frames take too long to draw; the frames not drawn yet show the rest pose.");
    const QList<velmora::character::CharacterDefinition::Frame> &slow = c.animation(u"Slow")->frames;
    QList<qint64> keys;
    for (const auto &frame : slow)
        keys.append(frames.drawNow(frame.drawing).cacheKey());
    QVERIFY(frames.isComplete());
    QVERIFY(!frames.renderNext());
    QCOMPARE(frames.renderedCount() - 1, drawn);

    // What was drawn stays; the rest show the rest pose, and so does any
    // drawing not drawn yet, while the rest pose itself keeps working.
    QVERIFY(frames.image(slow.at(0).drawing) != rest);
    QVERIFY(frames.isReady(slow.last().drawing)); // ready as the rest pose
    QCOMPARE(keys.count(rest.cacheKey()), slowFrames - drawn);
    QCOMPARE(frames.image(slow.last().drawing).cacheKey(), rest.cacheKey());
    QCOMPARE(frames.image(c.animation(u"Wave")->frames.at(1).drawing).cacheKey(), rest.cacheKey());
    QCOMPARE(frames.mask(slow.last().drawing), frames.mask(restOf(c)));
    QCOMPARE(frames.renderedCount(), drawn + 1);
}

void tst_FrameCache::framesAtTheLimitsAreAllDrawn()
{
    // Eleven drawings besides the rest pose, 100 ms each: at the limits, not over them.
    const CharacterDefinition c = withSlowFrames(8);
    QCOMPARE(c.drawings.size(), 12);
    ManualClock clock;
    FrameCache frames(c, "slow.vchar", { 100, 1100 }, 1.0, FrameCache::draw, clock);
    frames.drawNow(restOf(c));
    clock.setStepPerRead(100);
    QTest::failOnWarning(QRegularExpression("too long to draw"));
    for (int drawing = 0; drawing < frames.count(); ++drawing)
        frames.drawNow(drawing);
    QVERIFY(frames.isComplete());
    QCOMPARE(frames.renderedCount(), frames.count());
}

QTEST_MAIN(tst_FrameCache)
#include "tst_framecache.moc"
