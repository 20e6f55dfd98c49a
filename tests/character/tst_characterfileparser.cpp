#include "TestCharacterFile.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/CharacterFileParser.h"
#include "character/SvgGuard.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using velmora::Error;
using velmora::character::CharacterDefinition;
using velmora::character::CharacterFileParser;
namespace ErrorNumber = velmora::ErrorNumber;

namespace {

QByteArray replaced(const QByteArray &from, const QByteArray &to)
{
    QByteArray content = testCharacterFile();
    Q_ASSERT(content.contains(from));
    return content.replace(from, to);
}

QByteArray withPart(const QByteArray &markup)
{
    return testCharacterFile() + "Part extra\n" + markup + "\nEnd\n";
}

QByteArray withFrame(const QByteArray &frame)
{
    return testCharacterFile() + "Animation Extra\n  " + frame + "\nEnd\n";
}

QByteArray withoutAnimation(const QByteArray &name)
{
    QByteArray content = testCharacterFile();
    const qsizetype start = content.indexOf("Animation " + name + "\n");
    const qsizetype end = content.indexOf("End\n", start) + 4;
    return content.remove(start, end - start);
}

} // namespace

class tst_CharacterFileParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsSettingsAndAnimations();
    void pitchAndRateHaveDefaults();
    void framesStackLayersInOrder();
    void identicalFramesShareOneDrawing();
    void acceptsVariants_data();
    void acceptsVariants();
    void rejectsMalformedFiles_data();
    void rejectsMalformedFiles();
    void rejectsHostileDrawings_data();
    void rejectsHostileDrawings();
    void sameOutlineSameWork_data();
    void sameOutlineSameWork();
    void expensiveDrawingsAreCountedAndBounded_data();
    void expensiveDrawingsAreCountedAndBounded();
    void refusesFilesThatAreNotPlain();
};

void tst_CharacterFileParser::readsSettingsAndAnimations()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(30), "testy.vchar");
    QCOMPARE(c.displayName, "Testy");
    QCOMPARE(c.frameSize, QSize(100, 120));
    QCOMPARE(c.voice.name, "en");
    QCOMPARE(c.voice.pitch, 40);
    QCOMPARE(c.voice.rate, 200);
    QCOMPARE(c.animations.size(), 12);
    const CharacterDefinition::Animation *speaking = c.animation(u"speaking");
    QVERIFY(speaking);
    QCOMPARE(speaking->name, "Speaking");
    QCOMPARE(speaking->frames.size(), 3);
    for (const auto &frame : speaking->frames)
        QCOMPARE(frame.durationMs, 30);
    QVERIFY(!c.animation(u"Dance"));
}

void tst_CharacterFileParser::pitchAndRateHaveDefaults()
{
    QByteArray content = testCharacterFile();
    content.replace("Pitch: 40\n", "").replace("Rate: 200\n", "");
    const CharacterDefinition c = CharacterFileParser::parse(content, "testy.vchar");
    QCOMPARE(c.voice.pitch, 50);
    QCOMPARE(c.voice.rate, 175);
}

void tst_CharacterFileParser::framesStackLayersInOrder()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    const QByteArray drawing = c.drawings.at(c.animation(u"Wave")->frames.at(1).drawing);
    QVERIFY(drawing.startsWith("<svg "));
    QVERIFY(drawing.contains("width=\"100\" height=\"120\" viewBox=\"0 0 100 120\""));
    const qsizetype defs = drawing.indexOf("<linearGradient id=\"shade\"");
    const qsizetype body = drawing.indexOf("<rect x=\"20\" y=\"10\"");
    const qsizetype mouth = drawing.indexOf("<rect x=\"40\" y=\"80\"");
    const qsizetype moved = drawing.indexOf("<g transform=\"translate(2,0)\">");
    const qsizetype arm = drawing.indexOf("<rect x=\"0\" y=\"40\"");
    QVERIFY(drawing.indexOf("<defs>") < defs);
    QVERIFY(defs < body);
    QVERIFY(body < mouth);
    QVERIFY(mouth < moved);
    QVERIFY(moved < arm);
}

void tst_CharacterFileParser::identicalFramesShareOneDrawing()
{
    const CharacterDefinition c = CharacterFileParser::parse(testCharacterFile(), "testy.vchar");
    const int rest = c.animation(u"Rest")->frames.at(0).drawing;
    QCOMPARE(c.animation(u"Greet")->frames.at(0).drawing, rest);
    // The pose "rest" is body and mouth-closed, exactly the first mouth shape.
    QCOMPARE(c.animation(u"Speaking")->frames.at(0).drawing, rest);
    QVERIFY(c.animation(u"Greet")->frames.at(1).drawing != rest);
    QVERIFY(c.animation(u"Speaking")->frames.at(1).drawing != rest);
    QCOMPARE(c.drawings.size(), 4); // rest, rest with arm, half and open mouth
}

void tst_CharacterFileParser::acceptsVariants_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray crlf = testCharacterFile();
    crlf.replace("\n", "\r\n");
    QTest::newRow("windows line ends") << crlf;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" + testCharacterFile());
    QTest::newRow("spaces inside a transform")
        << withFrame("20 rest arm@rotate(10, 5, 5) @translate( 1 , 2 )");
    QTest::newRow("transforms in a row")
        << withFrame("20 rest@translate(50,110)scale(0.5)translate(-50,-110)");
    QTest::newRow("pose of poses") << testCharacterFile()
            + "Pose armed: rest arm\nPose twice: armed arm@translate(4,0)\n"
              "Animation Extra\n 20 twice\nEnd\n";
    QTest::newRow("local links") << withPart(
        "<g id=\"dot\"><circle r=\"2\" fill=\"url(#shade)\"/></g>"
        "<use xlink:href=\"#dot\" x=\"5\"/><use xlink:href=\"#dot\" x=\"9\"/>");
    QTest::newRow("colours that look like numbers")
        << withPart("<rect width=\"9\" height=\"9\" fill=\"#9e9999\"/>");
    QTest::newRow("stroke as wide as the frame")
        << withPart("<path d=\"M0,0 L90,90\" stroke=\"#000\" stroke-width=\"120\"/>"
                    "<path d=\"M0,0 L9,9\" style=\"stroke:#000;stroke-width:3.5px\"/>");
}

void tst_CharacterFileParser::acceptsVariants()
{
    QFETCH(QByteArray, content);
    const CharacterDefinition c = CharacterFileParser::parse(content, "testy.vchar");
    QCOMPARE(c.displayName, "Testy");
}

void tst_CharacterFileParser::rejectsMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    const QByteArray valid = testCharacterFile();
    QTest::newRow("empty-file") << QByteArray() << "the first line must be";
    QTest::newRow("other-format") << replaced("VelmoraCharacter 1", "VelmoraCharacter 2")
                                  << "the first line must be";
    QTest::newRow("truncated-in-part")
        << valid.left(valid.indexOf("End", valid.indexOf("Part body"))) << "has no \"End\"";
    QTest::newRow("truncated-in-animation") << valid.left(valid.lastIndexOf("End")) << "has no \"End\"";
    QTest::newRow("truncated-in-settings") << valid.left(valid.indexOf("Voice:")) << "\"Voice:\" is missing";
    QTest::newRow("name-missing") << replaced("Name: Testy\n", "") << "\"Name:\" is missing";
    QTest::newRow("size-missing") << replaced("Size: 100 120\n", "") << "\"Size:\" is missing";
    QTest::newRow("size-words") << replaced("Size: 100 120", "Size: wide tall") << "the size must be";
    QTest::newRow("size-one-number") << replaced("Size: 100 120", "Size: 100") << "the size must be";
    QTest::newRow("size-tiny") << replaced("Size: 100 120", "Size: 8 8") << "the size must be";
    QTest::newRow("size-huge") << replaced("Size: 100 120", "Size: 100000 100000") << "the size must be";
    QTest::newRow("pitch-too-high") << replaced("Pitch: 40", "Pitch: 200") << "\"Pitch:\" must be";
    QTest::newRow("rate-word") << replaced("Rate: 200", "Rate: fast") << "\"Rate:\" must be";
    QTest::newRow("voice-with-path") << replaced("Voice: en", "Voice: ../../etc/passwd")
                                     << "the voice must be";
    QTest::newRow("setting-twice") << replaced("Name: Testy\n", "Name: Testy\nName: Other\n")
                                   << "given twice";
    QTest::newRow("unknown-setting") << replaced("Name: Testy\n", "Name: Testy\nColour: red\n")
                                     << "not a known setting";
    QTest::newRow("duration-word") << withFrame("soon rest") << "duration in milliseconds";
    QTest::newRow("duration-zero") << withFrame("0 rest") << "duration in milliseconds";
    QTest::newRow("duration-too-long") << withFrame("99999 rest") << "duration in milliseconds";
    QTest::newRow("frame-without-layers") << withFrame("20") << "has no layers";
    QTest::newRow("unknown-part") << withFrame("20 rest nose") << "no part or pose named \"nose\"";
    QTest::newRow("empty-transform") << withFrame("20 rest arm@") << "nothing after \"@\"";
    QTest::newRow("unclosed-parenthesis") << withFrame("20 rest arm@rotate(1,2") << "is not closed";
    QTest::newRow("required-animation-missing") << withoutAnimation("DoMagic2") << "\"DoMagic2\" is missing";
    QTest::newRow("speaking-missing") << withoutAnimation("Speaking") << "\"Speaking\" is missing";
    QTest::newRow("animation-twice") << valid + "Animation greet\n 20 rest\nEnd\n"
                                     << "defined twice";
    QTest::newRow("animation-without-frames") << valid + "Animation Empty\nEnd\n"
                                              << "has no frames";
    QTest::newRow("part-name-with-space") << valid + "Part two words\n<g/>\nEnd\n"
                                          << "is not a name";
    QTest::newRow("name-used-twice") << valid + "Part arm\n<g/>\nEnd\n"
                                     << "used twice";
    QTest::newRow("pose-using-itself") << valid + "Pose loop: rest loop\nAnimation Loopy\n 20 loop\nEnd\n"
                                       << "nest more than";
    QTest::newRow("stray-line") << valid + "Hello there\n"
                                << "is not understood";

    QByteArray manyFrames = valid + "Animation Long\n";
    for (int i = 0; i < CharacterFileParser::MaxFrames; ++i)
        manyFrames += " 20 rest\n";
    QTest::newRow("too-many-frames") << manyFrames + "End\n"
                                     << "more than 300 frames";
    QTest::newRow("too-many-layers") << withFrame("20 " + QByteArray("arm ").repeated(65))
                                     << "more than 64 layers";
    QTest::newRow("oversized") << valid + "#" + QByteArray(CharacterFileParser::MaxFileSize, 'x')
                               << "larger than";
    QTest::newRow("binary") << valid + QByteArray("\0\1\2", 3) << "not a text file";
    QTest::newRow("not-utf8") << valid + "# \xff\xfe\n"
                              << "not UTF-8";
}

void tst_CharacterFileParser::rejectsMalformedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    try {
        CharacterFileParser::parse(content, "broken.vchar");
        QFAIL("the file was accepted");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterError);
        QVERIFY2(e.description().startsWith("\"broken.vchar\" is not a valid character file: "),
            qPrintable(e.description()));
        QVERIFY2(e.description().contains(reason), qPrintable(e.description()));
    }
}

void tst_CharacterFileParser::rejectsHostileDrawings_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("entity-expansion") << withPart(
        "<!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
        "<text>&b;&b;&b;</text>") << "entities are not allowed";
    QTest::newRow("undeclared-entity") << withPart("<text>&xxe;</text>") << "in the part \"extra\"";
    QTest::newRow("external-use") << withPart("<use xlink:href=\"file:///etc/passwd#x\"/>")
                                  << "links may only point inside the file";
    QTest::newRow("plain-href-outside")
        << withPart("<use href=\"other.svg#x\"/>") << "links may only point inside the file";
    QTest::newRow("image-element") << withPart(
        "<image xlink:href=\"http://example.com/a.png\" width=\"9\" height=\"9\"/>")
                                   << "<image> is not allowed";
    QTest::newRow("url-to-other-file")
        << withPart("<rect width=\"9\" height=\"9\" fill=\"url(other.svg#g)\"/>")
        << "url(...) may only point inside";
    QTest::newRow("url-in-style") << withPart(
        "<rect width=\"9\" height=\"9\" style=\"fill: URL( 'http://x/y' )\"/>")
                                  << "url(...) may only point inside";
    QTest::newRow("style-element") << withPart("<style>rect { fill: url(x.svg#a) }</style>")
                                   << "<style> is not allowed";
    QTest::newRow("script-element") << withPart("<script>alert(1)</script>") << "<script> is not allowed";
    QTest::newRow("nested-svg") << withPart("<svg width=\"100000\" height=\"100000\"/>")
                                << "<svg> is not allowed";
    QTest::newRow("foreign-namespace")
        << withPart("<x:blob xmlns:x=\"urn:x\"/>") << "<x:blob> is not allowed";
    QTest::newRow("huge-dimensions") << withPart("<rect width=\"1e9\" height=\"1e9\" fill=\"#000\"/>")
                                     << "too large";
    QTest::newRow("huge-transform") << withFrame("20 rest arm@scale(1e7)") << "too large";
    QTest::newRow("transform-smuggling-markup")
        << withFrame("20 rest arm@rotate(1)\"/><image") << "is not a transform";
    QTest::newRow("chained-use") << withPart(
        "<g id=\"a\"><rect width=\"1\" height=\"1\"/></g>"
        "<g id=\"b\"><use xlink:href=\"#a\"/><use xlink:href=\"#a\"/></g>"
        "<g id=\"c\"><use xlink:href=\"#b\"/><use xlink:href=\"#b\"/></g>")
                                 << "may not be chained";
    QTest::newRow("use-of-itself") << withPart("<use id=\"u\" xlink:href=\"#u\"/>") << "may not be chained";
    QTest::newRow("tiny-dashes") << withPart(
        "<path d=\"M0,0 L90,90\" stroke=\"#000\" stroke-dasharray=\"0.001\"/>")
                                 << "dashed lines";
    QTest::newRow("not-well-formed") << withPart("<rect width=\"10\"") << "not well-formed";
    QTest::newRow("closing-the-wrapper")
        << withPart("</g><image xlink:href=\"x.png\"/><g>") << "in the part \"extra\"";
    QTest::newRow("processing-instruction")
        << withPart("<?xml-stylesheet href=\"x.css\"?>") << "processing instructions";
    QTest::newRow("too-many-shapes") << withPart(
                                            QByteArray("<rect width=\"1\" height=\"1\"/>").repeated(1001))
            + "Animation Busy\n 20 extra\nEnd\n"
                                     << "draws more than 1000 shapes";
    QTest::newRow("uses-multiplying-shapes")
        << withPart("<g id=\"many\">" + QByteArray("<circle r=\"5\"/>").repeated(100) + "</g>"
               + QByteArray("<use xlink:href=\"#many\"/>").repeated(10))
            + "Animation Busy\n 20 extra\nEnd\n"
        << "draws more than 1000 shapes";
    QTest::newRow("too-much-text") << withPart("<text>" + QByteArray(501, 'a') + "</text>")
                                   << "characters of text";
    QTest::newRow("css-escape-hiding-url")
        << withPart("<rect width=\"9\" height=\"9\" style=\"fill:u\\72l(http://x/y.svg#a)\"/>")
        << "a backslash (a CSS escape) is not allowed";
    QTest::newRow("stroke-wider-than-frame")
        << withPart("<path d=\"M0,0 L90,90\" stroke=\"#000\" stroke-width=\"121\"/>")
        << "a stroke-width of 121 is wider than the frame (120 pixels)";
    QTest::newRow("stroke-width-in-style")
        << withPart("<path d=\"M0,0 L90,90\" style=\"stroke:#000; stroke-width : 400px\"/>")
        << "a stroke-width of 400 is wider than the frame";
    QTest::newRow("stroke-width-in-defs")
        << replaced("<stop offset=\"0\"", "<stop stroke-width=\"9999\" offset=\"0\"")
        << "in Defs: a stroke-width of 9999";
    QTest::newRow("stroke-width-in-inches")
        << withPart("<path d=\"M0,0 L90,90\" stroke=\"#000\" stroke-width=\"5in\"/>")
        << "stroke-width takes a number of pixels";
    // One long path drawn again by a few <use>: few shapes, much work.
    QByteArray longPath
        = "<path id=\"long\" stroke=\"#000\" stroke-width=\"100\" stroke-linejoin=\"round\" d=\"M0,0";
    for (int i = 0; i < 800; ++i)
        longPath += i % 2 ? " L90,90" : " L0,90";
    longPath += "\"/>";
    QTest::newRow("long-path-repeated-by-uses")
        << withPart(longPath + QByteArray("<use xlink:href=\"#long\"/>").repeated(10))
            + "Animation Busy\n 20 extra\nEnd\n"
        << "the frame is too much work to draw";
    QTest::newRow("non-scaling-stroke")
        << withPart("<g transform=\"scale(0.01)\"><path d=\"M0,0 L9,9\" stroke=\"#000\" stroke-width=\"100\" "
                    "vector-effect=\"non-scaling-stroke\"/></g>")
        << "vector-effect (non-scaling strokes) is not supported";
    QTest::newRow("non-scaling-stroke-in-style")
        << withPart("<path d=\"M0,0 L9,9\" style=\"stroke:#000; vector-effect : non-scaling-stroke\"/>")
        << "vector-effect (non-scaling strokes) is not supported";
    QTest::newRow("font-size-in-ems")
        << withPart("<text font-size=\"2em\">a</text>") << "font-size takes a number of pixels";
    QTest::newRow("lengths-in-ems") << withPart("<rect width=\"99em\" height=\"1\"/>")
                                    << "lengths in em or ex are not supported";
    QTest::newRow("skewed-nearly-flat")
        << withPart("<g transform=\"skewX(89.99999)\"><path d=\"M0,0 L9,9\" stroke=\"#000\"/></g>")
            + "Animation Busy\n 20 extra\nEnd\n"
        << "the frame is too much work to draw";
    // Each skew stretches by about 1e13; thirty of them, past any number.
    QTest::newRow("skews-multiplied-past-infinity")
        << withPart(QByteArray("<g transform=\"skewX(89.9999999999)\">").repeated(30)
               + "<g id=\"empty\"/><path d=\"M0,0 L9,9\"/>" + QByteArray("</g>").repeated(30))
            + "Animation Busy\n 20 extra@scale(99999)\nEnd\n"
        << "the frame is too much work to draw: 1000000000000000 units";
    QTest::newRow("element-transform-smuggling")
        << withPart("<g transform=\"url(#x)\"><rect width=\"1\" height=\"1\"/></g>") << "is not a transform";
    QTest::newRow("deep-nesting") << withPart(
        QByteArray("<g>").repeated(40) + QByteArray("</g>").repeated(40))
                                  << "nested more than";
}

void tst_CharacterFileParser::rejectsHostileDrawings()
{
    rejectsMalformedFiles();
}

void tst_CharacterFileParser::sameOutlineSameWork_data()
{
    // The work count reads path data as Qt SVG does: the same outline
    // written two ways is the same work.
    QTest::addColumn<QString>("one");
    QTest::addColumn<QString>("other");
    const QString corner = "<path d=\"M0,0 L10,0 L10,10\"/>";
    QTest::newRow("relative") << "<path d=\"M0,0 L10,0 L10,10 Z\"/>"
                              << "<path d=\"m0,0 l10,0 l0,10 z\"/>";
    QTest::newRow("pairs after a move are lines") << corner << "<path d=\"M0,0 10,0 10,10\"/>";
    QTest::newRow("horizontal and vertical") << corner << "<path d=\"M0,0 H10 V10\"/>";
    QTest::newRow("polyline") << corner << "<polyline points=\"0,0 10,0 10,10\"/>";
    QTest::newRow("rect") << "<rect width=\"10\" height=\"20\"/>"
                          << "<path d=\"M0,0 h10 v20 h-10 z\"/>";
    QTest::newRow("smooth cubic") << "<path d=\"M0,0 C0,10 10,10 10,0 C10,-10 20,-10 20,0\"/>"
                                  << "<path d=\"M0,0 C0,10 10,10 10,0 S20,-10 20,0\"/>";
    QTest::newRow("smooth quadratic") << "<path d=\"M0,0 Q5,10 10,0 Q15,-10 20,0\"/>"
                                      << "<path d=\"M0,0 Q5,10 10,0 T20,0\"/>";
    QTest::newRow("numbers run together") << "<path d=\"M0,0 L10.5,0.5 L-3,-4\"/>"
                                          << "<path d=\"M0-0L10.5.5-3-4\"/>";
    QTest::newRow("exponents") << "<path d=\"M0,0 L10,0\"/>"
                               << "<path d=\"M0,0 L1e1,0\"/>";
    QTest::newRow("arc flags run together") << "<path d=\"M0,0 a5,5 0 1 0 10,0\"/>"
                                            << "<path d=\"M0,0 a5,5 0 1010,0\"/>";
    QTest::newRow("rotation and translation")
        << "<g>" + corner + "</g>"
        << "<g transform=\"rotate(30) translate(5,5)\">" + corner + "</g>";
    QTest::newRow("inherited stroke width") << "<g stroke-width=\"4\">" + corner + "</g>"
                                            << "<g><path stroke-width=\"4\" d=\"M0,0 L10,0 L10,10\"/></g>";
    QTest::newRow("stroke width in style") << "<path stroke-width=\"4\" d=\"M0,0 L10,0 L10,10\"/>"
                                           << "<path style=\"stroke-width:4px\" d=\"M0,0 L10,0 L10,10\"/>";
}

void tst_CharacterFileParser::sameOutlineSameWork()
{
    QFETCH(QString, one);
    QFETCH(QString, other);
    using velmora::character::SvgGuard;
    const SvgGuard::Scan a = SvgGuard::scanFragment(one);
    const SvgGuard::Scan b = SvgGuard::scanFragment(other);
    QVERIFY2(a.problem.isEmpty() && b.problem.isEmpty(), qPrintable(a.problem + b.problem));
    QVERIFY(a.work.total() > 0);
    QVERIFY2(qAbs(a.work.total() - b.work.total()) < 1e-6,
        qPrintable(QString("%1 against %2").arg(a.work.total()).arg(b.work.total())));
    // Twice as large, twice the outline.
    const SvgGuard::Scan larger = SvgGuard::scanFragment("<g transform=\"scale(2)\">" + one + "</g>");
    QVERIFY(larger.work.outlines > 1.99 * a.work.outlines);
}

void tst_CharacterFileParser::expensiveDrawingsAreCountedAndBounded_data()
{
    // Each kind of drawing that costs Qt SVG time, built once a little under
    // the bound and once well over it (n segments, uses or characters).
    QTest::addColumn<QString>("markup"); // %1: the repeated piece, n times
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("frame"); // the frame that draws the part
    QTest::addColumn<int>("accepted"); // n that stays within the bound
    QTest::addColumn<int>("refused"); // n that goes over it
    QTest::addColumn<QString>("share"); // what the refusal says was too much

    const QString wide = "<path d=\"M50,60%1\" fill=\"none\" stroke=\"#000\" stroke-width=\"120\" "
                         "stroke-linejoin=\"round\"/>";
    QTest::newRow("wide strokes with round joins") << wide << " l1,1 l-1,-1"
                                                   << "20 extra" << 60 << 150 << "the width of its strokes";
    const QString zigzag = "<path d=\"M0,0%1\" fill=\"#345\"/>";
    QTest::newRow("long crossing outlines") << zigzag << " L100,120 L0,0"
                                            << "20 extra" << 75 << 150 << "the length of its outlines";
    QTest::newRow("a small path under a large scale")
        << "<g transform=\"scale(100)\"><path d=\"M0,0%1\" stroke=\"#000\"/></g>"
        << " L1,1.2 L0,0"
        << "20 extra" << 30 << 100 << "the length of its outlines";
    QTest::newRow("a path under a large layer transform")
        << zigzag << " L1,1.2 L0,0"
        << "20 extra@translate(0,0)scale(100)" << 30 << 100 << "the length of its outlines";
    QTest::newRow("uses taking the stroke width from where they are")
        << "<path id=\"p\" fill=\"none\" d=\"M50,60 l1,1 l-1,-1 l1,1 l-1,-1 l1,1 l-1,-1 l1,1 l-1,-1 l1,1 "
           "l-1,-1\"/><g stroke=\"#000\" stroke-width=\"120\">%1</g>"
        << "<use xlink:href=\"#p\"/>"
        << "20 extra" << 8 << 30 << "the width of its strokes";
    QTest::newRow("large text") << "<text x=\"0\" y=\"100\" font-size=\"100\">%1</text>"
                                << "Wm"
                                << "20 extra" << 20 << 60 << "its text";
}

void tst_CharacterFileParser::expensiveDrawingsAreCountedAndBounded()
{
    QFETCH(QString, markup);
    QFETCH(QString, piece);
    QFETCH(QString, frame);
    QFETCH(int, accepted);
    QFETCH(int, refused);
    QFETCH(QString, share);
    auto file = [&](int n) {
        return withPart(markup.arg(piece.repeated(n)).toUtf8()) + "Animation Busy\n " + frame.toUtf8()
            + "\nEnd\n";
    };

    // Under the bound: accepted, and counted as most of it, so the count
    // does see this kind of work.
    const CharacterDefinition c = CharacterFileParser::parse(file(accepted), "busy.vchar");
    const qint64 work = c.drawingWork.at(c.animation(u"Busy")->frames.at(0).drawing);
    QVERIFY2(work > CharacterFileParser::MaxWorkPerFrame / 4 && work <= CharacterFileParser::MaxWorkPerFrame,
        qPrintable(QString::number(work)));
    // The rest pose costs next to nothing.
    QVERIFY(c.drawingWork.at(c.animation(u"Rest")->frames.at(0).drawing) < 5000);

    // Over it: refused, naming the frame's line and what was too much.
    const QByteArray over = file(refused);
    const int frameLine = int(over.left(over.indexOf("Animation Busy")).count('\n')) + 2;
    try {
        CharacterFileParser::parse(over, "busy.vchar");
        QFAIL("accepted");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterError);
        QVERIFY2(e.description().startsWith(QString("\"busy.vchar\" is not a valid character file: line %1: "
                                                    "the frame is too much work to draw")
                                                .arg(frameLine))
                && e.description().contains("mostly " + share),
            qPrintable(e.description()));
    }
}

void tst_CharacterFileParser::refusesFilesThatAreNotPlain()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fifo = dir.filePath("pipe.vchar");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath("big.vchar");
    QVERIFY(writeFile(big, testCharacterFile() + "#" + QByteArray(CharacterFileParser::MaxFileSize, 'x')));

    for (const QString &path : { fifo, dir.path(), big }) {
        try {
            CharacterFileParser::parseFile(path);
            QFAIL(qPrintable(path + " was accepted"));
        } catch (const Error &e) {
            QCOMPARE(e.number(), ErrorNumber::CharacterError);
        }
    }
    const QString good = dir.filePath("good.vchar");
    QVERIFY(writeFile(good, testCharacterFile()));
    QCOMPARE(CharacterFileParser::parseFile(good).displayName, "Testy");
}

QTEST_APPLESS_MAIN(tst_CharacterFileParser)
#include "tst_characterfileparser.moc"
