#include "character/VoiceEngine.h"
#include "character/VoiceModule.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using velmora::character::SpeechAudio;
using velmora::character::Voice;
using velmora::character::VoiceEngine;
using velmora::character::VoiceModule;

// The speech module is loaded at run time: the build puts it where the
// program looks, and a module that cannot be loaded leaves the characters
// silent with one warning.
class tst_VoiceModule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void builtModuleSpeaks();
    void unusableModuleIsReportedOnce_data();
    void unusableModuleIsReportedOnce();
};

void tst_VoiceModule::builtModuleSpeaks()
{
    VoiceModule module;
    VoiceEngine *engine = module.engine();
    QVERIFY2(engine, qPrintable(VoiceModule::defaultPath()));
    QCOMPARE(module.engine(), engine);
    const SpeechAudio audio = engine->synthesize("abandon", Voice());
    QVERIFY(audio.sampleRate > 0);
    QVERIFY2(audio.durationMs() > 200 && audio.durationMs() < 2000,
        qPrintable(QString::number(audio.durationMs())));
    QVERIFY(!audio.mouth.isEmpty());
    QVERIFY(engine->createOutput() != nullptr);
}

void tst_VoiceModule::unusableModuleIsReportedOnce_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a library") << QByteArray("this is not a shared library\n");
}

void tst_VoiceModule::unusableModuleIsReportedOnce()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("velmora-voice.so");
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    VoiceModule module(path);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Velmora: characters will not speak: .+"));
    QTest::failOnWarning(QRegularExpression(".*"));
    QVERIFY(!module.engine());
    QVERIFY(!module.engine());
}

QTEST_GUILESS_MAIN(tst_VoiceModule)
#include "tst_voicemodule.moc"
