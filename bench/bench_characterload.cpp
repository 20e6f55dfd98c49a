// How long loading a character takes: reading and checking the file, the
// frame cache as loading makes it, Characters.Load as the program calls it;
// and, for comparison, drawing every frame.
#include "character/AgentControl.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"
#include "voice/SpeechSynthesizer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora::character;

class bench_CharacterLoad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parse_data();
    void parse();
    void parseAndCheck_data();
    void parseAndCheck();
    void renderEveryFrame_data();
    void renderEveryFrame();
    void load_data();
    void load();
    void synthesizeWord();

private:
    QTemporaryDir m_windows; // stands in for the Windows directory, with MSAgent/Chars
};

void bench_CharacterLoad::initTestCase()
{
    QVERIFY(m_windows.isValid());
    const QDir characters(QStringLiteral(VELMORA_CHARACTERS_DIR));
    QVERIFY(QDir(m_windows.path()).mkpath(QStringLiteral("MSAgent/Chars")));
    for (const QString &name : characters.entryList({ QStringLiteral("*.vchar") }, QDir::Files)) {
        QVERIFY(QFile::copy(
            characters.filePath(name), m_windows.filePath(QStringLiteral("MSAgent/Chars/") + name)));
    }
}

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

void bench_CharacterLoad::parseAndCheck_data()
{
    parse_data();
}

void bench_CharacterLoad::parseAndCheck()
{
    QFETCH(QString, path);
    QBENCHMARK
    {
        const CharacterDefinition definition = CharacterFileParser::parseFile(path);
        const FrameCache frames(definition, path);
    }
}

void bench_CharacterLoad::renderEveryFrame_data()
{
    parse_data();
}

void bench_CharacterLoad::renderEveryFrame()
{
    QFETCH(QString, path);
    const CharacterDefinition definition = CharacterFileParser::parseFile(path);
    QBENCHMARK
    {
        FrameCache frames(definition, path);
        for (int i = 0; i < frames.count(); ++i)
            frames.drawNow(i);
    }
}

void bench_CharacterLoad::load_data()
{
    QTest::addColumn<QString>("fileName");
    const QDir characters(QStringLiteral(VELMORA_CHARACTERS_DIR));
    for (const QString &name : characters.entryList({ QStringLiteral("*.vchar") }, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << name;
}

// Characters.Load through the control, as the main window does at start-up.
void bench_CharacterLoad::load()
{
    QFETCH(QString, fileName);
    AgentControl control(m_windows.path());
    QBENCHMARK
    {
        control.Load(QStringLiteral("Pat"), fileName);
        control.Unload(QStringLiteral("Pat"));
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
