#include "agent/CharacterCommands.h"
#include "agent/SettingsStore.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "doubles/FakeAgentControl.h"
#include "doubles/RecordingMessageSink.h"
#include "doubles/RecordingProgramEnd.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::agent;
using Box = RecordingMessageSink::Box;

// The handlers against a fake control: what they ask of the control and of
// the character, in order, and what they show.
class tst_CharacterCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUp_data();
    void startUp();
    void startUpWithTheIdInUseFetchesTheLoadedCharacter();
    void chooserThatUnloadedItselfEndsStartUpQuietly();

    void pronounce_data();
    void pronounce();
    void exitWavesHidesAndArmsTheTimer();
    void buttonsWithoutCharacterStillWork();
    void buttonsSkipEachFailingStep();
    void aboutAndCharactorsPlayMagicFirst();
    void timerEndsTheProgram();

private:
    AgentContext context()
    {
        return { m_control, m_pat, m_character, *m_settings, m_messages, m_programEnd };
    }
    QStringList characterCalls() const { return m_control.loaded("Pat")->calls; }
    CharacterCommands commands(std::function<void()> showAbout = {}, std::function<void()> showChooser = {});

    QTemporaryDir m_dir;
    FakeAgentControl m_control;
    PatReference m_pat;
    CharacterReference m_character;
    std::unique_ptr<SettingsStore> m_settings;
    RecordingMessageSink m_messages;
    RecordingProgramEnd m_programEnd;
    int m_aboutShown = 0;
    int m_chooserShown = 0;
    int m_timerEnabled = 0;
    QString m_listText;
    bool m_chooserUnloadsItself = false;
};

void tst_CharacterCommands::init()
{
    m_control = FakeAgentControl();
    m_pat.clear();
    m_character.clear();
    m_settings = std::make_unique<SettingsStore>(m_dir.filePath("settings.ini"));
    QFile::remove(m_settings->filePath());
    m_messages.boxes.clear();
    m_programEnd.count = 0;
    m_aboutShown = m_chooserShown = m_timerEnabled = 0;
    m_listText = "Abandon";
    m_chooserUnloadsItself = false;
}

void tst_CharacterCommands::cleanup()
{
    m_settings.reset();
}

CharacterCommands tst_CharacterCommands::commands(
    std::function<void()> showAbout, std::function<void()> showChooser)
{
    return CharacterCommands(context(),
        CharacterCommands::Windows {
            showAbout ? showAbout : [this] { ++m_aboutShown; },
            showChooser ? showChooser
                        : [this] {
                              ++m_chooserShown;
                              if (m_chooserUnloadsItself)
                                  throw Error(ErrorNumber::UnloadedWhileShown, "Object was unloaded");
                          },
            [this] { ++m_timerEnabled; },
            [this] { return m_listText; },
        });
}

void tst_CharacterCommands::startUp_data()
{
    QTest::addColumn<QString>("storedName"); // "" stores nothing
    QTest::addColumn<bool>("missingFolder");
    QTest::addColumn<QStringList>("controlCalls");
    QTest::addColumn<QStringList>("characterCalls"); // empty: nothing loaded
    QTest::addColumn<int>("chooserShown");
    QTest::addColumn<QList<Box>>("boxes");

    const QList<Box> notInstalled { { "Microsoft Agent Not Installed.", "Error" } };
    QTest::newRow("first run opens the chooser")
        << "" << false << QStringList() << QStringList() << 1 << QList<Box>();
    QTest::newRow("stored character greets")
        << "oolo.vchar" << false << QStringList({ "Load Pat oolo.vchar", "Item Pat", "Item Pat" })
        << QStringList({ "Left 610", "Top 50", "Show", "Play Greet" }) << 0 << QList<Box>();
    QTest::newRow("stored name in another case is another file")
        << "OOLO.vchar" << false << QStringList({ "Load Pat OOLO.vchar" }) << QStringList() << 0
        << notInstalled;
    QTest::newRow("missing file: agent not installed")
        << "gone.vchar" << false << QStringList({ "Load Pat gone.vchar" }) << QStringList() << 0
        << notInstalled;
    QTest::newRow("missing folder: agent not installed")
        << "oolo.vchar" << true << QStringList({ "Load Pat oolo.vchar" }) << QStringList() << 0
        << notInstalled;
    QTest::newRow("a path is refused like a missing file")
        << "../settings/settings.ini" << false << QStringList({ "Load Pat ../settings/settings.ini" })
        << QStringList() << 0 << notInstalled;
    QTest::newRow("not a character: load and fetch pass, placing fails with 424")
        << "notes.txt" << false << QStringList({ "Load Pat notes.txt", "Item Pat", "Item Pat" })
        << QStringList() << 0 << QList<Box>({ { "424 Object required", "Dictionary" } });
}

void tst_CharacterCommands::startUp()
{
    QFETCH(QString, storedName);
    QFETCH(bool, missingFolder);
    QFETCH(QStringList, controlCalls);
    QFETCH(QStringList, characterCalls);
    QFETCH(int, chooserShown);
    QFETCH(QList<Box>, boxes);

    m_control.otherFiles = QStringList({ "notes.txt" });
    m_control.missingFolder = missingFolder;
    if (!storedName.isEmpty())
        m_settings->write("Dic", "ChID", "Name", storedName);
    commands().startUp();

    QCOMPARE(m_chooserShown, chooserShown);
    QCOMPARE(m_messages.boxes, boxes);
    QCOMPARE(m_control.calls, controlCalls);
    const bool loaded = !characterCalls.isEmpty();
    QCOMPARE(!m_pat.isEmpty(), loaded);
    QCOMPARE(!m_character.isEmpty(), loaded);
    if (loaded) {
        QCOMPARE(m_pat.get(), m_character.get());
        QCOMPARE(this->characterCalls(), characterCalls);
    }
}

void tst_CharacterCommands::startUpWithTheIdInUseFetchesTheLoadedCharacter()
{
    // Loading fails with 0x80042003 (the ID is taken): start-up goes on and
    // places and greets the character already loaded under it.
    m_control.Load("Pat", "gulmo.vchar");
    m_settings->write("Dic", "ChID", "Name", "oolo.vchar");
    commands().startUp();
    QVERIFY(m_messages.boxes.isEmpty());
    QCOMPARE(m_control.loaded("Pat")->fileName, QString("gulmo.vchar"));
    QCOMPARE(characterCalls(), QStringList({ "Left 610", "Top 50", "Show", "Play Greet" }));
}

void tst_CharacterCommands::chooserThatUnloadedItselfEndsStartUpQuietly()
{
    m_chooserUnloadsItself = true;
    commands().startUp();
    QCOMPARE(m_chooserShown, 1);
    QVERIFY(m_messages.boxes.isEmpty());
    QVERIFY(m_control.calls.isEmpty());
}

void tst_CharacterCommands::pronounce_data()
{
    QTest::addColumn<QString>("character"); // "": none loaded; "unloaded": a stale reference
    QTest::addColumn<QString>("listText");
    QTest::addColumn<QList<Box>>("boxes");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("speaks the selected word")
        << "zippik.vchar"
        << "Abandon" << QList<Box>() << QStringList({ "GestureAt 1 2", "Show", "Speak Abandon" });
    QTest::newRow("no selection: gestures, shows, then asks for a word")
        << "zippik.vchar"
        << "" << QList<Box>({ { "Please first select word to pronounce", "Dictionary" } })
        << QStringList({ "GestureAt 1 2", "Show" });
    QTest::newRow("no character: agent not installed")
        << ""
        << "Abandon" << QList<Box>({ { "Microsoft Agent Not Installed.", "Error" } }) << QStringList();
    QTest::newRow("unloaded character: its number and description")
        << "unloaded"
        << "Abandon" << QList<Box>({ { "-2147213309 The character has been unloaded.", "Dictionary" } })
        << QStringList();
}

void tst_CharacterCommands::pronounce()
{
    QFETCH(QString, character);
    QFETCH(QString, listText);
    QFETCH(QList<Box>, boxes);
    QFETCH(QStringList, calls);

    std::shared_ptr<FakeCharacter> loaded;
    if (!character.isEmpty()) {
        m_control.Load("Pat", "zippik.vchar");
        loaded = m_control.loaded("Pat");
        m_pat.set(loaded);
        if (character == "unloaded")
            m_control.Unload("Pat");
    }
    m_listText = listText;
    commands().Command3_Click();
    QCOMPARE(m_messages.boxes, boxes);
    if (loaded)
        QCOMPARE(loaded->calls, calls);
}

void tst_CharacterCommands::exitWavesHidesAndArmsTheTimer()
{
    m_settings->write("Dic", "ChID", "Name", "oolo.vchar");
    CharacterCommands handlers = commands();
    handlers.startUp();
    m_control.loaded("Pat")->calls.clear();
    handlers.Command1_Click();
    // Stop first, so that the wave does not wait for the greeting.
    QCOMPARE(characterCalls(), QStringList({ "Stop", "Play Wave", "Hide" }));
    QCOMPARE(m_timerEnabled, 1);
    QVERIFY(m_messages.boxes.isEmpty());
}

void tst_CharacterCommands::buttonsWithoutCharacterStillWork()
{
    CharacterCommands handlers = commands();
    handlers.Command1_Click();
    handlers.Command2_Click();
    handlers.Command4_Click();
    QCOMPARE(m_timerEnabled, 1);
    QCOMPARE(m_aboutShown, 1);
    QCOMPARE(m_chooserShown, 1);
    QVERIFY(m_messages.boxes.isEmpty());
    QVERIFY(m_control.calls.isEmpty());
}

void tst_CharacterCommands::buttonsSkipEachFailingStep()
{
    // A character that can no longer be used fails every step; each one is
    // skipped, and the windows and the timer still follow.
    m_control.Load("Pat", "oolo.vchar");
    m_character.set(m_control.loaded("Pat"));
    m_control.Unload("Pat");
    CharacterCommands handlers = commands();
    handlers.Command1_Click();
    handlers.Command2_Click();
    handlers.Command4_Click();
    QCOMPARE(m_timerEnabled, 1);
    QCOMPARE(m_aboutShown, 1);
    QCOMPARE(m_chooserShown, 1);
    QVERIFY(m_messages.boxes.isEmpty());
}

void tst_CharacterCommands::aboutAndCharactorsPlayMagicFirst()
{
    m_settings->write("Dic", "ChID", "Name", "gulmo.vchar");
    commands().startUp();
    m_control.loaded("Pat")->calls.clear();
    QStringList seenWhenShown;
    CharacterCommands opener = commands([&] { seenWhenShown << "about:" + characterCalls().join(','); },
        [&] {
            seenWhenShown << "chooser:" + characterCalls().join(',');
            throw Error(ErrorNumber::UnloadedWhileShown, "Object was unloaded");
        });
    opener.Command2_Click();
    opener.Command4_Click();
    QCOMPARE(seenWhenShown,
        QStringList({ "about:Stop,Play DoMagic2", "chooser:Stop,Play DoMagic2,Stop,Play DoMagic2" }));
    QVERIFY(m_messages.boxes.isEmpty());
}

void tst_CharacterCommands::timerEndsTheProgram()
{
    commands().Timer1_Timer();
    QCOMPARE(m_programEnd.count, 1);
}

QTEST_GUILESS_MAIN(tst_CharacterCommands)
#include "tst_charactercommands.moc"
