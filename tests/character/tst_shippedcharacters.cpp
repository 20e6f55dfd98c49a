#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"

#include <QDir>
#include <QSvgRenderer>
#include <QTest>

using velmora::character::CharacterDefinition;
using velmora::character::CharacterFileParser;
using velmora::character::FrameCache;

namespace {

QStringList shippedFiles()
{
    const QDir characters(qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/characters");
    QStringList paths;
    for (const QString &name : characters.entryList({ "*.vchar" }, QDir::Files, QDir::Name))
        paths << characters.filePath(name);
    return paths;
}

// Pixels that are at least half opaque.
int drawnPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 128;
    return count;
}

} // namespace

class tst_ShippedCharacters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void atLeastThreeDistinctCharacters();
    void everyFrameDraws_data();
    void everyFrameDraws();
};

void tst_ShippedCharacters::atLeastThreeDistinctCharacters()
{
    const QStringList files = shippedFiles();
    QVERIFY2(files.size() >= 3, qPrintable(files.join(", ")));
    QSet<QString> names;
    QSet<QString> voices;
    for (const QString &path : files) {
        const CharacterDefinition c = CharacterFileParser::parseFile(path);
        names.insert(c.displayName);
        voices.insert(QString("%1/%2/%3").arg(c.voice.name).arg(c.voice.pitch).arg(c.voice.rate));
    }
    QCOMPARE(names.size(), files.size());
    QCOMPARE(voices.size(), files.size());
}

void tst_ShippedCharacters::everyFrameDraws_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &path : shippedFiles())
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

void tst_ShippedCharacters::everyFrameDraws()
{
    QFETCH(QString, path);
    const CharacterDefinition c = CharacterFileParser::parseFile(path);
    // Loading reads the pieces instead of every drawing; the drawings are read one by one only when that
    // fails.
    QVERIFY(QSvgRenderer(c.pieces).isValid());
    FrameCache frames(c, QFileInfo(path).fileName());
    QCOMPARE(frames.count(), c.drawings.size());
    const int area = c.frameSize.width() * c.frameSize.height();
    for (const CharacterDefinition::Animation &animation : c.animations) {
        for (qsizetype i = 0; i < animation.frames.size(); ++i) {
            const QImage &image = frames.drawNow(animation.frames.at(i).drawing);
            QCOMPARE(image.size(), c.frameSize);
            const int drawn = drawnPixels(image);
            QVERIFY2(drawn > 20, qPrintable(QString("%1 frame %2 is empty").arg(animation.name).arg(i + 1)));
            // The figure never spills over the whole frame (a runaway transform would).
            QVERIFY2(drawn < area * 9 / 10,
                qPrintable(QString("%1 frame %2 fills the frame").arg(animation.name).arg(i + 1)));
        }
    }
    // Every frame drew in time: none fell back to the rest pose.
    QCOMPARE(frames.renderedCount(), c.drawings.size());
    // The rest pose is the whole figure, not a sparkle.
    QVERIFY(drawnPixels(frames.image(c.animation(u"Rest")->frames.first().drawing)) > area / 5);
}

QTEST_MAIN(tst_ShippedCharacters)
#include "tst_shippedcharacters.moc"
