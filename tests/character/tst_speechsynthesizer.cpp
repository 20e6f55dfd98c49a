#include "character/SpeechSynthesizer.h"

#include <QTest>

#include <thread>

using velmora::agent::SpeechAudio;
using velmora::agent::SpeechSynthesizer;
using velmora::agent::Voice;

class tst_SpeechSynthesizer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wordLastsAsLongAsSpokenWord_data();
    void wordLastsAsLongAsSpokenWord();
    void mouthCuesFollowTheSpeech();
    void slowerRateTakesLonger();
    void unknownVoiceStillSpeaks();
    void callsFromManyThreadsTakeTurns();
};

void tst_SpeechSynthesizer::wordLastsAsLongAsSpokenWord_data()
{
    QTest::addColumn<QString>("voice");
    QTest::addColumn<QString>("word");
    // A spoken word of two or three syllables lasts well under two seconds
    // and longer than a fifth of one, whatever the voice.
    QTest::newRow("plain English") << "en"
                                   << "abandon";
    QTest::newRow("British with a variant") << "en-gb-x-rp+m3"
                                            << "abandon";
    QTest::newRow("American with a variant") << "en-us+f3"
                                             << "dictionary";
}

void tst_SpeechSynthesizer::wordLastsAsLongAsSpokenWord()
{
    QFETCH(QString, voice);
    QFETCH(QString, word);
    const SpeechAudio audio = SpeechSynthesizer::synthesize(word, Voice { voice, 50, 175 });
    QCOMPARE(audio.sampleRate, 22050);
    QCOMPARE(audio.samples.size() % 2, 0);
    QVERIFY2(audio.durationMs() > 200 && audio.durationMs() < 2000,
        qPrintable(QString::number(audio.durationMs())));
    // Not silence: some sample is loud.
    const auto *samples = reinterpret_cast<const qint16 *>(audio.samples.constData());
    QVERIFY(std::any_of(samples, samples + audio.sampleCount(), [](qint16 s) { return std::abs(s) > 1000; }));
}

void tst_SpeechSynthesizer::mouthCuesFollowTheSpeech()
{
    const SpeechAudio audio = SpeechSynthesizer::synthesize("abandon", Voice {});
    QVERIFY(audio.mouth.size() >= 5); // a-b-a-n-d-o-n
    int last = 0;
    bool opens = false;
    for (const SpeechAudio::MouthCue &cue : audio.mouth) {
        QVERIFY(cue.atMs >= last);
        QVERIFY(cue.atMs <= audio.durationMs());
        QVERIFY(cue.openness >= 0 && cue.openness <= 2);
        opens = opens || cue.openness == 2;
        last = cue.atMs;
    }
    QVERIFY(opens);
    QCOMPARE(audio.mouth.last().openness, 0); // the mouth closes at the end
}

void tst_SpeechSynthesizer::slowerRateTakesLonger()
{
    const SpeechAudio slow = SpeechSynthesizer::synthesize("pronunciation", Voice { "en", 50, 90 });
    const SpeechAudio fast = SpeechSynthesizer::synthesize("pronunciation", Voice { "en", 50, 400 });
    QVERIFY(slow.durationMs() > fast.durationMs() * 3 / 2);
}

void tst_SpeechSynthesizer::unknownVoiceStillSpeaks()
{
    const SpeechAudio audio = SpeechSynthesizer::synthesize("hello", Voice { "xx-nosuchvoice", 50, 175 });
    QVERIFY(audio.durationMs() > 100);
}

void tst_SpeechSynthesizer::callsFromManyThreadsTakeTurns()
{
    const Voice voice { "en-us", 60, 160 };
    const qsizetype expected = SpeechSynthesizer::synthesize("meaning", voice).sampleCount();
    QList<qsizetype> counts(4);
    std::vector<std::thread> threads;
    for (qsizetype i = 0; i < counts.size(); ++i)
        threads.emplace_back(
            [&, i] { counts[i] = SpeechSynthesizer::synthesize("meaning", voice).sampleCount(); });
    for (std::thread &t : threads)
        t.join();
    // espeak-ng varies the length of the same word by a few samples; words
    // mixed up between threads would differ by far more.
    for (qsizetype count : counts)
        QVERIFY2(std::abs(count - expected) < expected / 50, qPrintable(QString::number(count)));
}

QTEST_APPLESS_MAIN(tst_SpeechSynthesizer)
#include "tst_speechsynthesizer.moc"
