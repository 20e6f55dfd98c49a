#include "TestCharacterFile.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentControl.h"
#include "character/CharacterCheck.h"
#include "character/CharacterFileParser.h"
#include "doubles/ManualClock.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using velmora::character::AgentControl;
using velmora::character::CharacterCheck;

class tst_CharacterCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refusedFileGivesItsLineAndReason();
    void acceptedFileGivesASummary();
    void drawingTimesComeFromTheClock();
    void refusalReasonGoesToStderrWhenLoading();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_chars;
};

void tst_CharacterCheck::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_chars = m_dir->filePath("MSAgent/Chars");
    QVERIFY(QDir().mkpath(m_chars));
}

void tst_CharacterCheck::refusedFileGivesItsLineAndReason()
{
    QByteArray broken = testCharacterFile();
    broken.replace("Size: 100 120", "Size: huge");
    QVERIFY(writeFile(m_chars + "/broken.vchar", broken));
    const CharacterCheck check = CharacterCheck::run(m_chars + "/broken.vchar");
    QVERIFY(!check.accepted);
    QCOMPARE(check.report,
        "\"broken.vchar\" is not a valid character file: line 4: the size must be a width and a height in "
        "pixels, each from 16 to 512, as in \"Size: 160 180\".\n");
}

void tst_CharacterCheck::acceptedFileGivesASummary()
{
    QVERIFY(writeFile(m_chars + "/testy.vchar", testCharacterFile()));
    const CharacterCheck check = CharacterCheck::run(m_chars + "/testy.vchar");
    QVERIFY2(check.accepted, qPrintable(check.report));
    const QStringList lines = check.report.split('\n');
    QCOMPARE(lines.mid(0, 5),
        QStringList({ "\"testy.vchar\" is a valid character file.", "Name: Testy", "Size: 100 x 120 pixels",
            "Animations: 12", "Frames: 25 (4 different drawings)" }));
    QVERIFY2(QRegularExpression("^Slowest frame: \\d+\\.\\d ms to draw \\(frame \\d+ of \"\\w+\"\\)$")
                 .match(lines.value(5))
                 .hasMatch(),
        qPrintable(lines.value(5)));
    // The work against the limit, so that an artist sees how close a frame comes.
    const QRegularExpressionMatch work
        = QRegularExpression("^Most work in one frame: (\\d+) of (\\d+) units$").match(lines.value(6));
    QVERIFY2(work.hasMatch(), qPrintable(lines.value(6)));
    QVERIFY(work.captured(1).toLongLong() > 0);
    QCOMPARE(work.captured(2).toLongLong(), velmora::character::CharacterFileParser::MaxWorkPerFrame);
}

void tst_CharacterCheck::drawingTimesComeFromTheClock()
{
    QVERIFY(writeFile(m_chars + "/testy.vchar", testCharacterFile()));
    // Every drawing takes as long as the clock moves per reading: the first
    // of the slowest is reported.
    ManualClock clock;
    clock.setStepPerRead(7);
    const CharacterCheck quick = CharacterCheck::run(m_chars + "/testy.vchar", clock);
    QVERIFY2(quick.accepted, qPrintable(quick.report));
    QCOMPARE(quick.report.split('\n').value(5), "Slowest frame: 7.0 ms to draw (frame 1 of \"Rest\")");
    // Whether a file is accepted is decided by its counted work, not by how
    // fast this machine happens to draw: a slow machine only reports the time.
    clock.setStepPerRead(300);
    const CharacterCheck slow = CharacterCheck::run(m_chars + "/testy.vchar", clock);
    QVERIFY2(slow.accepted, qPrintable(slow.report));
    QCOMPARE(slow.report.split('\n').value(5), "Slowest frame: 300.0 ms to draw (frame 1 of \"Rest\")");
}

void tst_CharacterCheck::refusalReasonGoesToStderrWhenLoading()
{
    QByteArray broken = testCharacterFile();
    broken.replace("fill=\"#cc0000\"", "style=\"fill:u\\72l(http://example.com/a.svg)\"");
    QVERIFY(writeFile(m_chars + "/escape.vchar", broken));
    AgentControl control(m_dir->path());
    control.setAudioOutputFactory({});
    // The user sees the error number alone; the artist finds file, line and reason here.
    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression("^\"escape.vchar\" is not a valid character file: line \\d+: in the part \"arm\": "
                           "a backslash \\(a CSS escape\\) is not allowed in an attribute value\\.$"));
    try {
        control.Load("Pat", "escape.vchar");
        QFAIL("the file was loaded");
    } catch (const velmora::Error &e) {
        QCOMPARE(e.number(), velmora::ErrorNumber::CharacterError);
    }
}

QTEST_MAIN(tst_CharacterCheck)
#include "tst_charactercheck.moc"
