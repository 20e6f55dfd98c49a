// How long loading a character takes: reading and checking the file, and
// rendering every frame once (what Characters.Load does besides the folder).
#include "agent/CharacterFileParser.h"
#include "agent/FrameCache.h"
#include "agent/SpeechSynthesizer.h"

#include <QDir>
#include <QTest>

using namespace velmora::agent;

class bench_CharacterLoad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void parseAndRender_data();
    void parseAndRender();
    void synthesizeWord();
};

void bench_CharacterLoad::parse_data()
{
    QTest::addColumn<QString>("path");
    const QDir characters(QStringLiteral(VELMORA_CHARACTERS_DIR));
    for (const QString &name : characters.entryList({ QStringLiteral("*.vchar") }, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << characters.filePath(name);
}

void bench_CharacterLoad::parse()
{
    QFETCH(QString, path);
    QBENCHMARK
    {
        CharacterFileParser::parseFile(path);
    }
}

void bench_CharacterLoad::parseAndRender_data()
{
    parse_data();
}

void bench_CharacterLoad::parseAndRender()
{
    QFETCH(QString, path);
    QBENCHMARK
    {
        const CharacterDefinition definition = CharacterFileParser::parseFile(path);
        const FrameCache frames(definition, path);
    }
}

void bench_CharacterLoad::synthesizeWord()
{
    SpeechSynthesizer::synthesize(QStringLiteral("warm up"), Voice {});
    QBENCHMARK
    {
        SpeechSynthesizer::synthesize(QStringLiteral("abandon"), Voice {});
    }
}

QTEST_MAIN(bench_CharacterLoad)
#include "bench_characterload.moc"
