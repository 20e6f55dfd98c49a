#include "TestCharacterFile.h"
#include "base/DataFolder.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "character/AgentControl.h"
#include "character/CharacterFileParser.h"
#include "character/SpeechBalloon.h"
#include "character/VoiceEngine.h"
#include "character/VoiceModule.h"
#include "doubles/FailureOf.h"
#include "doubles/HeldFrameDrawing.h"
#include "doubles/ManualClock.h"
#include "doubles/RecordingAudioOutput.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <functional>

using velmora::Error;
using velmora::character::AgentCharacter;
using velmora::character::AgentControl;
namespace ErrorNumber = velmora::ErrorNumber;
using namespace std::chrono_literals;

namespace {

// Waits for the synthesis threads, then lets what they sent back run: a
// result reaches its character in two turns of the event loop.
bool settleSynthesis()
{
    if (!QThreadPool::globalInstance()->waitForDone(5000))
        return false;
    for (int turn = 0; turn < 2; ++turn)
        QCoreApplication::processEvents();
    return true;
}

} // namespace

// Every test gets a fresh windows directory with one character file,
// MSAgent/Chars/testy.vchar, whose frames last 20 ms, and a control whose
// characters keep the time of a ManualClock and speak into a recording
// instead of the sound device. Time moves only when a test moves the clock;
// what the tests still wait for is the synthesis on its thread.
class tst_AgentControl : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowsDirectoryComesFromTheEnvironment_data();
    void windowsDirectoryComesFromTheEnvironment();
    void loadFailsWithItsNumber_data();
    void loadFailsWithItsNumber();
    void unknownIdsFail();
    void loadItemUnloadLifecycle();
    void unloadedCharacterRefusesEverything();
    void destroyedControlUnloadsItsCharacters();
    void invalidArgumentsFailBeforeAnythingQueues();
    void requestsPlayInOrder();
    void stopEndsRunningAndQueued();
    void hideWaitsForTheAnimationBefore();
    void showAndHideOnlyWhenNeeded();
    void windowAppearsOnTheEventLoop();
    void gestureAtPicksTheSide_data();
    void gestureAtPicksTheSide();
    void speakShowsBalloonAndMovesTheMouth();
    void screenReadersReadTheNameAndTheWords();
    void placedWholeInsideTheScreen_data();
    void placedWholeInsideTheScreen();
    void speechNeverStartsInsideTheCall();
    void stopSilencesSpeech();
    void unloadWhileSynthesisingIsSafe();
    void draggingMovesTheCharacter();
    void idleCharacterStaysStill();
    void framesAreDrawnOnlyOnceShown();
    void slowFirstFrameHoldsOnlyTheCharacter();
    void unloadWhileDrawingIsSafe();

private:
    std::shared_ptr<AgentCharacter> loadTesty();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ManualClock> m_clock;
    std::unique_ptr<AgentControl> m_control;
    std::shared_ptr<RecordingAudioOutput::Log> m_audio;
    std::shared_ptr<QSemaphore> m_synthesised; // one per synthesis finished
};

void tst_AgentControl::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(m_dir->filePath("MSAgent/Chars")));
    QVERIFY(writeFile(m_dir->filePath("MSAgent/Chars/testy.vchar"), testCharacterFile(20)));
    m_clock = std::make_unique<ManualClock>();
    m_control = std::make_unique<AgentControl>(m_dir->path());
    // Frames are drawn, and speech synthesised, on the thread pool while the
    // clock stands still.
    m_clock->setSettle(&ManualClock::settleThreadsAndEvents);
    m_control->setClock(*m_clock);
    m_audio = std::make_shared<RecordingAudioOutput::Log>();
    m_control->setAudioOutputFactory(RecordingAudioOutput::factory(m_audio));
    // The voice module's synthesis, as by default, counting what it has done.
    m_synthesised = std::make_shared<QSemaphore>();
    m_control->setSpeechSynthesis(
        [done = m_synthesised](const QString &text, const velmora::character::Voice &voice) {
            velmora::character::VoiceEngine *engine = velmora::character::VoiceModule::shared().engine();
            const velmora::character::SpeechAudio audio
                = engine ? engine->synthesize(text, voice) : velmora::character::SpeechAudio();
            done->release();
            return audio;
        });
}

void tst_AgentControl::cleanup()
{
    m_control.reset();
    // A drawing still running on the pool reads the clock when it ends.
    QThreadPool::globalInstance()->waitForDone();
    m_clock.reset();
    m_dir.reset();
}

std::shared_ptr<AgentCharacter> tst_AgentControl::loadTesty()
{
    m_control->Load("Pat", "testy.vchar");
    return m_control->character("Pat");
}

void tst_AgentControl::windowsDirectoryComesFromTheEnvironment_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    // Unset or empty: the program's data folder, the same one the dictionary is read from.
    const QString dataFolder = velmora::locateDataFolders(QCoreApplication::applicationDirPath(), {}).data;
    QTest::newRow("unset") << false << "" << dataFolder;
    QTest::newRow("empty") << true << "" << dataFolder;
    QTest::newRow("a folder") << true << "/opt/velmora-test"
                              << "/opt/velmora-test";
}

void tst_AgentControl::windowsDirectoryComesFromTheEnvironment()
{
    QFETCH(bool, set);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    const QByteArray saved = qgetenv("VELMORA_WINDOWS_DIR");
    if (set)
        qputenv("VELMORA_WINDOWS_DIR", value.toUtf8());
    else
        qunsetenv("VELMORA_WINDOWS_DIR");
    const QString found = AgentControl::windowsDirectory();
    const QString folder = AgentControl().characterFolder();
    qputenv("VELMORA_WINDOWS_DIR", saved);
    QCOMPARE(found, expected);
    QCOMPARE(folder, expected + "/MSAgent/Chars");
}

void tst_AgentControl::loadFailsWithItsNumber_data()
{
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("number");

    QTest::newRow("bare name not in the folder") << ""
                                                 << "absent.vchar" << ErrorNumber::CharacterNotFound;
    QTest::newRow("character folder missing") << "remove folder"
                                              << "testy.vchar" << ErrorNumber::CharacterNotFound;
    QTest::newRow("path separator") << "subfolder"
                                    << "sub/testy.vchar" << ErrorNumber::CharacterNotFound;
    QTest::newRow("dot dot") << ""
                             << "../Chars/testy.vchar" << ErrorNumber::CharacterNotFound;
    QTest::newRow("symbolic link out of the folder") << "link out"
                                                     << "out.vchar" << ErrorNumber::CharacterNotFound;
    QTest::newRow("absolute path") << ""
                                   << "/etc/passwd" << ErrorNumber::CharacterNotFound;
    QTest::newRow("invalid character file") << "garbage"
                                            << "garbage.vchar" << ErrorNumber::CharacterError;
    QTest::newRow("truncated character file") << "truncated"
                                              << "truncated.vchar" << ErrorNumber::CharacterError;
    QTest::newRow("rest pose too slow to draw") << "slow rest"
                                                << "slow.vchar" << ErrorNumber::CharacterError;
    QTest::newRow("a folder, not a file") << "subfolder"
                                          << "sub" << ErrorNumber::CharacterError;
    QTest::newRow("ID already loaded") << "load Pat"
                                       << "testy.vchar" << ErrorNumber::CharacterError;
}

void tst_AgentControl::loadFailsWithItsNumber()
{
    QFETCH(QString, prepare);
    QFETCH(QString, name);
    QFETCH(qint32, number);
    const QString chars = m_dir->filePath("MSAgent/Chars");
    if (prepare == "remove folder")
        QVERIFY(QDir(chars).removeRecursively());
    if (prepare == "subfolder") {
        QVERIFY(QDir().mkpath(chars + "/sub"));
        QVERIFY(writeFile(chars + "/sub/testy.vchar", testCharacterFile()));
    }
    if (prepare == "link out") {
        QVERIFY(writeFile(m_dir->filePath("out.vchar"), testCharacterFile()));
        QVERIFY(QFile::link(m_dir->filePath("out.vchar"), chars + "/out.vchar"));
    }
    if (prepare == "garbage")
        QVERIFY(writeFile(chars + "/garbage.vchar", "GIF89a\x01\x02 not a character"));
    if (prepare == "slow rest") {
        // Within the file's other limits, yet seconds to draw: wide outlines of
        // huge circles. The work count refuses it before anything is drawn.
        QByteArray content = testCharacterFile();
        content.replace("Size: 100 120", "Size: 512 512");
        content.replace("Pose rest: body mouth-closed", "Pose rest: body rings");
        content += "Part rings\n"
            + QByteArray("<circle cx=\"256\" cy=\"256\" r=\"99999\" fill=\"#345678\" stroke=\"#345678\" "
                         "stroke-width=\"500\" opacity=\"0.5\"/>\n")
                  .repeated(200)
            + "End\n";
        QVERIFY(writeFile(chars + "/slow.vchar", content));
    }
    if (prepare == "truncated")
        QVERIFY(writeFile(chars + "/truncated.vchar", testCharacterFile().left(700)));
    std::shared_ptr<AgentCharacter> first;
    if (prepare == "load Pat")
        first = loadTesty();

    try {
        m_control->Load("Pat", name);
        QFAIL("Load succeeded");
    } catch (const Error &e) {
        QCOMPARE(e.number(), number);
        QVERIFY(!e.description().isEmpty());
    }
    // A failed load leaves the collection as it was.
    if (first)
        QCOMPARE(m_control->character("Pat"), first);
    else
        QCOMPARE(failureOf([&] { m_control->Item("Pat"); }), ErrorNumber::CharacterError);
}

void tst_AgentControl::unknownIdsFail()
{
    AgentControl &characters = *m_control;
    QCOMPARE(failureOf([&] { characters.Item("Pat"); }), ErrorNumber::CharacterError);
    QCOMPARE(failureOf([&] { characters.Unload("Pat"); }), ErrorNumber::CharacterError);
    loadTesty();
    QCOMPARE(failureOf([&] { characters.Item("Merlin"); }), ErrorNumber::CharacterError);
    characters.Unload("Pat");
    QCOMPARE(failureOf([&] { characters.Item("Pat"); }), ErrorNumber::CharacterError);
    QCOMPARE(failureOf([&] { characters.Unload("Pat"); }), ErrorNumber::CharacterError);
}

void tst_AgentControl::loadItemUnloadLifecycle()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QCOMPARE(pat->displayName(), "Testy");
    QCOMPARE(m_control->character("Pat"), pat);
    QCOMPARE(m_control->character("PAT"), pat); // IDs ignore letter case
    QVERIFY(pat->isLoaded());
    QVERIFY(!pat->isShown()); // hidden until Show
    QVERIFY(pat->characterWindow() && !pat->characterWindow()->isVisible());

    // A second character under another ID lives beside the first.
    m_control->Load("Other", "testy.vchar");
    QVERIFY(m_control->character("Other") != pat);

    m_control->Unload("Pat");
    QVERIFY(!pat->isLoaded());
    m_control->Load("Pat", "testy.vchar");
    const std::shared_ptr<AgentCharacter> again = m_control->character("Pat");
    QVERIFY(again != pat);
    QVERIFY(again->isLoaded());
    QVERIFY(!pat->isLoaded());
}

void tst_AgentControl::unloadedCharacterRefusesEverything()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->Show();
    pat->Speak("hello");
    m_control->Unload("Pat");
    QVERIFY(!pat->characterWindow());
    QVERIFY(!pat->isShown());
    QVERIFY(!pat->isBalloonShown());

    const QList<std::pair<const char *, std::function<void()>>> operations = {
        { "setLeft", [&] { pat->setLeft(1); } },
        { "setTop", [&] { pat->setTop(1); } },
        { "left", [&] { pat->left(); } },
        { "top", [&] { pat->top(); } },
        { "Show", [&] { pat->Show(); } },
        { "Hide", [&] { pat->Hide(); } },
        { "Play", [&] { pat->Play("Greet"); } },
        { "Stop", [&] { pat->Stop(); } },
        { "GestureAt", [&] { pat->GestureAt(1, 2); } },
        { "Speak", [&] { pat->Speak("hello"); } },
    };
    for (const auto &[name, operation] : operations)
        QVERIFY2(failureOf(operation) == ErrorNumber::CharacterError, name);
}

void tst_AgentControl::destroyedControlUnloadsItsCharacters()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    m_control.reset();
    QVERIFY(!pat->isLoaded());
    QCOMPARE(failureOf([&] { pat->Show(); }), ErrorNumber::CharacterError);
}

void tst_AgentControl::invalidArgumentsFailBeforeAnythingQueues()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QCOMPARE(failureOf([&] { pat->Speak(""); }), ErrorNumber::InvalidArgument);
    QCOMPARE(failureOf([&] { pat->Play("Dance"); }), ErrorNumber::UnknownAnimation);
    QCOMPARE(failureOf([&] { pat->Play(""); }), ErrorNumber::UnknownAnimation);
    QCOMPARE(pat->currentAnimation(), QString());
    QVERIFY(pat->queuedAnimations().isEmpty());
    QVERIFY(!pat->isBalloonShown());
    // Names ignore letter case; the character's own spelling is reported.
    pat->Play("greet");
    QCOMPARE(pat->currentAnimation(), "Greet");
}

void tst_AgentControl::requestsPlayInOrder()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy started(pat.get(), &AgentCharacter::animationStarted);
    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    pat->Show();
    pat->Play("Greet");
    pat->Play("Wave");
    // Calls return at once: the first request runs, the others wait.
    QCOMPARE(pat->currentAnimation(), "Showing");
    QCOMPARE(pat->queuedAnimations(), QStringList({ "Greet", "Wave" }));
    QVERIFY(pat->isShown());

    // Each of the three has two frames of 20 ms, and each starts as the one before ends.
    QVERIFY(m_clock->advanceUntil([&] { return finished.size() == 3; }, 5000));
    QCOMPARE(m_clock->now(), 120ms);
    const auto names = [](const QSignalSpy &spy) {
        QStringList list;
        for (const QList<QVariant> &call : spy)
            list << call.at(0).toString();
        return list;
    };
    QCOMPARE(names(started), QStringList({ "Showing", "Greet", "Wave" }));
    QCOMPARE(names(finished), QStringList({ "Showing", "Greet", "Wave" }));
    QCOMPARE(pat->currentAnimation(), QString());
}

void tst_AgentControl::stopEndsRunningAndQueued()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    pat->Show();
    pat->Play("Greet");
    pat->Play("Wave");
    pat->Stop();
    QCOMPARE(pat->currentAnimation(), QString());
    QVERIFY(pat->queuedAnimations().isEmpty());
    QVERIFY(pat->isShown()); // Stop ends the showing animation, not the showing

    pat->Play("DoMagic2");
    QCOMPARE(pat->currentAnimation(), "DoMagic2"); // starts at once
    m_clock->advance(5000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), "DoMagic2");
}

void tst_AgentControl::hideWaitsForTheAnimationBefore()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    pat->Show();
    QVERIFY(m_clock->advanceUntil([&] { return finished.size() == 1; }, 5000));
    pat->Stop();
    pat->Play("Wave");
    pat->Hide();
    QCOMPARE(pat->queuedAnimations(), QStringList({ "Hiding" }));
    QVERIFY(pat->isShown());
    QVERIFY(m_clock->advanceUntil([&] { return finished.size() == 3; }, 5000));
    QCOMPARE(finished.at(1).at(0).toString(), "Wave");
    QCOMPARE(finished.at(2).at(0).toString(), "Hiding");
    QVERIFY(!pat->isShown());
    QVERIFY(!pat->characterWindow()->isVisible());
}

void tst_AgentControl::showAndHideOnlyWhenNeeded()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy started(pat.get(), &AgentCharacter::animationStarted);
    pat->Hide(); // already hidden: nothing to play
    QCOMPARE(started.size(), 0);
    QVERIFY(!pat->isShown());
    pat->Show();
    QVERIFY(m_clock->advanceUntil([&] { return pat->currentAnimation().isEmpty(); }, 5000));
    pat->Show(); // already shown
    QCOMPARE(started.size(), 1);
    QVERIFY(pat->isShown());
}

void tst_AgentControl::windowAppearsOnTheEventLoop()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QWidget *window = pat->characterWindow();
    pat->Show();
    QVERIFY(pat->isShown());
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(window->isVisible());

    // Hidden again before its window could appear: it goes, and stays gone.
    pat->Hide();
    QVERIFY(m_clock->advanceUntil([&] { return !pat->isShown(); }, 5000));
    pat->Show();
    pat->Stop();
    pat->Hide();
    QVERIFY(pat->isShown());
    QVERIFY(m_clock->advanceUntil([&] { return !pat->isShown(); }, 5000));
    QCoreApplication::processEvents(); // where the window would have appeared
    QVERIFY(!window->isVisible());
}

void tst_AgentControl::gestureAtPicksTheSide_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("animation");
    // The test character is 100 x 120 at 500, 300: its middle is 550, 360.
    QTest::newRow("the main window's corner") << QPoint(1, 2) << "GestureLeft";
    QTest::newRow("left, a little below") << QPoint(300, 400) << "GestureLeft";
    QTest::newRow("right") << QPoint(1200, 360) << "GestureRight";
    QTest::newRow("above") << QPoint(540, 0) << "GestureUp";
    QTest::newRow("below") << QPoint(560, 790) << "GestureDown";
}

void tst_AgentControl::gestureAtPicksTheSide()
{
    QFETCH(QPoint, point);
    QFETCH(QString, animation);
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->setLeft(500);
    pat->setTop(300);
    pat->GestureAt(point.x(), point.y());
    QCOMPARE(pat->currentAnimation(), animation);
}

void tst_AgentControl::speakShowsBalloonAndMovesTheMouth()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy spoken(pat.get(), &AgentCharacter::spoken);
    QSignalSpy drawings(pat.get(), &AgentCharacter::drawingChanged);
    QSignalSpy speaking(pat.get(), &AgentCharacter::speakingStarted);
    pat->Show();
    pat->GestureAt(1, 2);
    pat->Speak("abandon");
    QCOMPARE(pat->queuedAnimations(), QStringList({ "GestureLeft", "Speaking" }));
    QVERIFY(m_clock->advanceUntil([&] { return pat->currentAnimation() == "Speaking"; }, 5000));
    QVERIFY(pat->isBalloonShown());
    QCOMPARE(pat->balloonText(), "abandon");

    // The voice comes from the synthesis thread, through the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!speaking.isEmpty(), 5000);
    drawings.clear();
    QCOMPARE(m_audio->played.size(), 1);
    const int durationMs = m_audio->played.first().durationMs();
    QVERIFY(durationMs > 200);
    // The mouth moves for as long as the sound lasts, and the word ends with it.
    m_clock->advance(durationMs - 1);
    QCOMPARE(spoken.size(), 0);
    m_clock->advance(1);
    QCOMPARE(spoken.size(), 1);
    QCOMPARE(spoken.at(0).at(0).toString(), "abandon");
    QSet<int> mouths;
    for (const QList<QVariant> &call : drawings)
        mouths.insert(call.at(0).toInt());
    QVERIFY2(mouths.size() >= 2, "the mouth did not move");

    // The word goes, the balloon lingers a moment, then goes too.
    QCOMPARE(pat->currentAnimation(), QString());
    QVERIFY(pat->isBalloonShown());
    const auto spokenAt = m_clock->now();
    QVERIFY(m_clock->advanceUntil([&] { return !pat->isBalloonShown(); }, 5000));
    QVERIFY(m_clock->now() > spokenAt);
}

void tst_AgentControl::speechNeverStartsInsideTheCall()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy speaking(pat.get(), &AgentCharacter::speakingStarted);
    // A word synthesises in about a millisecond, often before Speak has
    // even returned; its sound must still wait for the event loop.
    for (int i = 0; i < 20; ++i) {
        const qsizetype before = speaking.size();
        pat->Speak("go");
        QVERIFY(m_synthesised->tryAcquire(1, 5000));
        pat->Speak("again");
        QCOMPARE(speaking.size(), before);
        QVERIFY(speaking.wait(5000));
        pat->Stop();
    }
    QCOMPARE(m_audio->played.size(), 20);
}

void tst_AgentControl::stopSilencesSpeech()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy spoken(pat.get(), &AgentCharacter::spoken);
    QSignalSpy speaking(pat.get(), &AgentCharacter::speakingStarted);
    pat->Speak("abandon the ship before the storm");
    QVERIFY(speaking.wait(5000));
    const int stopsBefore = m_audio->stops;
    pat->Stop();
    QVERIFY(!pat->isBalloonShown());
    QVERIFY(m_audio->stops > stopsBefore);
    m_clock->advance(10000); // longer than the words would have lasted
    QCOMPARE(spoken.size(), 0);
    QCOMPARE(pat->currentAnimation(), QString());
}

void tst_AgentControl::unloadWhileSynthesisingIsSafe()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->Speak("abandon");
    pat->Speak("again");
    m_control->Unload("Pat");
    QVERIFY(settleSynthesis()); // the synthesis finishes on its thread and finds nobody
    QCOMPARE(m_synthesised->available(), 1); // the first word; the second never started
    m_clock->advance(10000);
    QVERIFY(m_audio->played.isEmpty());
}

void tst_AgentControl::screenReadersReadTheNameAndTheWords()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QWidget *window = pat->characterWindow();
    QCOMPARE(window->accessibleName(), QString("Testy"));
    pat->Show();
    pat->Speak("abandon");
    QVERIFY(m_clock->advanceUntil([&] { return pat->currentAnimation() == "Speaking"; }, 5000));
    QCOMPARE(window->accessibleDescription(), QString("abandon"));
    velmora::character::SpeechBalloon *balloon = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<velmora::character::SpeechBalloon *>(top); b && b->isVisible())
            balloon = b;
    }
    QVERIFY(balloon);
    QCOMPARE(QAccessible::queryAccessibleInterface(balloon)->text(QAccessible::Name), QString("abandon"));
    // Once the balloon is gone, the character says nothing any more.
    pat->Stop();
    QVERIFY(!balloon->isVisible());
    QCOMPARE(window->accessibleDescription(), QString());
}

void tst_AgentControl::placedWholeInsideTheScreen_data()
{
    // Where the character is asked to go, from the available area's top-left
    // corner, and where it goes; testy is 100 x 120.
    QTest::addColumn<QPoint>("asked");
    QTest::addColumn<QPoint>("expected");
    const QRect area = QApplication::primaryScreen()->availableGeometry();
    const QPoint farthest(area.width() - 100, area.height() - 120);
    QTest::newRow("fits: stays") << QPoint(210, 50) << QPoint(210, 50);
    QTest::newRow("touching the bottom right corner: stays") << farthest << farthest;
    QTest::newRow("past the right edge") << QPoint(area.width() - 40, 50) << QPoint(farthest.x(), 50);
    QTest::newRow("past the bottom") << QPoint(10, area.height() - 1) << QPoint(10, farthest.y());
    QTest::newRow("above and left of the screen") << QPoint(-30, -500) << QPoint(0, 0);
}

void tst_AgentControl::placedWholeInsideTheScreen()
{
    QFETCH(QPoint, asked);
    QFETCH(QPoint, expected);
    const QPoint origin = QApplication::primaryScreen()->availableGeometry().topLeft();
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->setLeft(origin.x() + asked.x());
    pat->setTop(origin.y() + asked.y());
    QCOMPARE(QPoint(pat->left(), pat->top()), origin + expected);
    QCOMPARE(pat->characterWindow()->pos(), origin + expected);
}

void tst_AgentControl::draggingMovesTheCharacter()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->setLeft(200);
    pat->setTop(150);
    pat->Show();
    QWidget *window = pat->characterWindow();
    QTRY_VERIFY(window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->pos(), QPoint(200, 150));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(50, 60));
    QTest::mouseMove(window, QPoint(80, 100));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(80, 100));
    QTRY_COMPARE(window->pos(), QPoint(230, 190));
    QCOMPARE(pat->left(), 230);
    QCOMPARE(pat->top(), 190);
}

void tst_AgentControl::idleCharacterStaysStill()
{
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    pat->Show();
    QVERIFY(m_clock->advanceUntil([&] { return !finished.isEmpty(); }, 5000));
    const int rest = pat->currentDrawing();
    QSignalSpy drawings(pat.get(), &AgentCharacter::drawingChanged);
    QSignalSpy started(pat.get(), &AgentCharacter::animationStarted);
    // Blinks come seconds apart; nothing else redraws an idle character.
    m_clock->advance(3000);
    QCOMPARE(drawings.size(), 0);
    // It does blink, within ten seconds, and is back at rest after; a
    // blink is no request, so it is not reported as one.
    QVERIFY(m_clock->advanceUntil([&] { return !drawings.isEmpty(); }, 7000));
    m_clock->advance(1000);
    QCOMPARE(pat->currentDrawing(), rest);
    QCOMPARE(started.size(), 0);
    QCOMPARE(finished.size(), 1);
}

void tst_AgentControl::framesAreDrawnOnlyOnceShown()
{
    const int drawings = int(
        velmora::character::CharacterFileParser::parse(testCharacterFile(), "testy.vchar").drawings.size());
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    // Loading draws the rest pose only, and a hidden character draws nothing more.
    m_clock->advance(0); // the rest pose is drawn on the pool while no time passes
    QCOMPARE(pat->drawnFrames(), 1);
    m_clock->advance(10000);
    QCOMPARE(pat->drawnFrames(), 1);

    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    pat->Show();
    QVERIFY(m_clock->advanceUntil([&] { return !finished.isEmpty(); }, 5000));
    QVERIFY(pat->drawnFrames() < drawings);
    // Idle, it draws the others ahead, off the GUI thread: one turn of the
    // event loop (of the clock here) sets them all going.
    m_clock->advance(0);
    QCOMPARE(pat->drawnFrames(), drawings);
    m_clock->advance(10000);
    QCOMPARE(pat->drawnFrames(), drawings);
}

void tst_AgentControl::slowFirstFrameHoldsOnlyTheCharacter()
{
    // While the first frame takes long to draw, the event loop goes on, the
    // requests queue as ever, and the character appears once it is ready.
    const auto held = HeldFrameDrawing::make();
    m_control->setFrameDrawing(HeldFrameDrawing::drawing(held));
    const std::shared_ptr<AgentCharacter> pat = loadTesty();
    QCOMPARE(pat->drawnFrames(), 0);
    QSignalSpy finished(pat.get(), &AgentCharacter::animationFinished);
    QSignalSpy drawings(pat.get(), &AgentCharacter::drawingChanged);
    pat->Show();
    pat->Play("Greet");
    QVERIFY(pat->isShown());
    QCOMPARE(pat->currentAnimation(), "Showing");
    QCOMPARE(pat->queuedAnimations(), QStringList({ "Greet" }));

    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    timer.start();
    QTRY_VERIFY(held->started >= 1);
    QTRY_VERIFY(ticks >= 10);
    // Not on screen without its picture, and Showing waits for it.
    QVERIFY(!pat->characterWindow()->isVisible());
    QCOMPARE(pat->currentAnimation(), "Showing");
    QCOMPARE(drawings.size(), 0);
    QCOMPARE(finished.size(), 0);

    held->release();
    QTRY_VERIFY(pat->characterWindow()->isVisible());
    QVERIFY(pat->drawnFrames() >= 1);
    QVERIFY(m_clock->advanceUntil([&] { return finished.size() == 2; }, 5000));
    QCOMPARE(finished.at(0).at(0).toString(), "Showing");
    QCOMPARE(finished.at(1).at(0).toString(), "Greet");
    QVERIFY(held->offTheHomeThread);
}

void tst_AgentControl::unloadWhileDrawingIsSafe()
{
    const auto held = HeldFrameDrawing::make();
    m_control->setFrameDrawing(HeldFrameDrawing::drawing(held));
    std::shared_ptr<AgentCharacter> pat = loadTesty();
    pat->Show();
    QTRY_VERIFY(held->started >= 1);
    m_control->Unload("Pat");
    QVERIFY(!pat->isLoaded());
    // The drawing ends on its thread and its picture goes to nobody.
    held->release();
    QThreadPool::globalInstance()->waitForDone();
    QTest::qWait(20);
    QCOMPARE(pat->drawnFrames(), 0);
    QCOMPARE(held->started.load(), 1);
    pat.reset();

    // Unloaded, then dropped for good, while drawing ahead.
    held->holdAgain();
    loadTesty()->Show();
    QTRY_VERIFY(held->started >= 2);
    m_control.reset();
    held->release();
    QThreadPool::globalInstance()->waitForDone();
    QTest::qWait(20);
}

QTEST_MAIN(tst_AgentControl)
#include "tst_agentcontrol.moc"
