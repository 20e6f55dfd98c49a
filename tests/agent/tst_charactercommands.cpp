#include "agent/CharacterCommands.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "doubles/CharacterWorld.h"

#include <QTest>

using namespace velmora;
using namespace velmora::agent;
using Box = RecordingMessageSink::Box;

class tst_CharacterCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUp_data();
    void startUp();
    void startUpWithTheIdInUseFetchesTheLoadedCharacter();
    void startUpWithoutFolderSaysAgentNotInstalled();
    void chooserThatUnloadedItselfEndsStartUpQuietly();

    void pronounce_data();
    void pronounce();
    void exitWavesHidesAndArmsTheTimer();
    void buttonsWithoutCharacterStillWork();
    void aboutAndCharactorsPlayMagicFirst();
    void timerEndsTheProgram();

private:
    CharacterCommands &commands() { return *m_commands; }
    QStringList requests() const
    {
        const auto &c = m_world->Character.get();
        QStringList all;
        if (!c->currentAnimation().isEmpty())
            all << c->currentAnimation();
        return all + c->queuedAnimations();
    }

    std::unique_ptr<CharacterWorld> m_world;
    std::unique_ptr<CharacterCommands> m_commands;
    int m_aboutShown = 0;
    int m_chooserShown = 0;
    int m_timerEnabled = 0;
    QString m_listText;
    bool m_chooserUnloadsItself = false;
};

void tst_CharacterCommands::init()
{
    m_world = std::make_unique<CharacterWorld>();
    m_aboutShown = m_chooserShown = m_timerEnabled = 0;
    m_listText = "Abandon";
    m_chooserUnloadsItself = false;
    m_commands = std::make_unique<CharacterCommands>(m_world->context(),
        CharacterCommands::Windows {
            [this] { ++m_aboutShown; },
            [this] {
                ++m_chooserShown;
                if (m_chooserUnloadsItself)
                    throw Error(ErrorNumber::UnloadedWhileShown, "Object was unloaded");
            },
            [this] { ++m_timerEnabled; },
            [this] { return m_listText; },
        });
}

void tst_CharacterCommands::cleanup()
{
    m_commands.reset();
    m_world.reset();
}

void tst_CharacterCommands::startUp_data()
{
    QTest::addColumn<QString>("storedName"); // "" stores nothing
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("chooserShown");
    QTest::addColumn<QList<Box>>("boxes");

    QTest::newRow("first run opens the chooser") << "" << false << 1 << QList<Box> {};
    QTest::newRow("stored character greets") << "oolo.vchar" << true << 0 << QList<Box> {};
    QTest::newRow("stored name in another case is another file")
        << "OOLO.vchar" << false << 0 << QList<Box> { { "Microsoft Agent Not Installed.", "Error" } };
    QTest::newRow("missing file: agent not installed")
        << "gone.vchar" << false << 0 << QList<Box> { { "Microsoft Agent Not Installed.", "Error" } };
    QTest::newRow("a path is refused like a missing file")
        << "../settings/settings.ini" << false << 0
        << QList<Box> { { "Microsoft Agent Not Installed.", "Error" } };
    QTest::newRow("not a character: load and fetch pass, placing fails with 424")
        << "notes.txt" << false << 0 << QList<Box> { { "424 Object required", "Dictionary" } };
}

void tst_CharacterCommands::startUp()
{
    QFETCH(QString, storedName);
    QFETCH(bool, loaded);
    QFETCH(int, chooserShown);
    QFETCH(QList<Box>, boxes);

    m_world->addFile("notes.txt", "shopping: milk, rice\n");
    if (!storedName.isEmpty())
        m_world->store("Name", storedName);
    commands().startUp();

    QCOMPARE(m_chooserShown, chooserShown);
    QCOMPARE(m_world->messages.boxes, boxes);
    QCOMPARE(!m_world->Pat.isEmpty(), loaded);
    QCOMPARE(!m_world->Character.isEmpty(), loaded);
    if (loaded) {
        QCOMPARE(m_world->Pat.get(), m_world->Character.get());
        QCOMPARE(QPoint(m_world->Pat.left(), m_world->Pat.top()),
            CharacterWorld::startPlace(m_world->Pat.get()->characterWindow()));
        QCOMPARE(requests(), QStringList({ "Showing", "Greet" }));
    }
}

void tst_CharacterCommands::startUpWithTheIdInUseFetchesTheLoadedCharacter()
{
    // Loading fails with 0x80042003 (the ID is taken): start-up goes on and
    // places and greets the character already loaded under it.
    m_world->MsAgent.Characters().Load("Pat", "gulmo.vchar");
    m_world->store("Name", "oolo.vchar");
    commands().startUp();
    QVERIFY(m_world->messages.boxes.isEmpty());
    QCOMPARE(m_world->Pat.get()->displayName(), QString("Gulmo"));
    QCOMPARE(m_world->Pat.left(), CharacterWorld::startPlace(m_world->Pat.get()->characterWindow()).x());
    QCOMPARE(requests(), QStringList({ "Showing", "Greet" }));
}

void tst_CharacterCommands::startUpWithoutFolderSaysAgentNotInstalled()
{
    m_world->removeCharFolder();
    m_world->store("Name", "oolo.vchar");
    commands().startUp();
    QCOMPARE(m_world->messages.boxes, QList<Box>({ { "Microsoft Agent Not Installed.", "Error" } }));
    QVERIFY(m_world->Pat.isEmpty());
}

void tst_CharacterCommands::chooserThatUnloadedItselfEndsStartUpQuietly()
{
    m_chooserUnloadsItself = true;
    commands().startUp();
    QCOMPARE(m_chooserShown, 1);
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_CharacterCommands::pronounce_data()
{
    QTest::addColumn<bool>("withCharacter");
    QTest::addColumn<QString>("listText");
    QTest::addColumn<QList<Box>>("boxes");
    QTest::addColumn<QStringList>("requests");

    QTest::newRow("speaks the selected word")
        << true << "Abandon" << QList<Box> {} << QStringList { "GestureLeft", "Showing", "Speaking" };
    QTest::newRow("no selection: gestures, shows, then asks for a word")
        << true << "" << QList<Box> { { "Please first select word to pronounce", "Dictionary" } }
        << QStringList { "GestureLeft", "Showing" };
    QTest::newRow("no character: agent not installed")
        << false << "Abandon" << QList<Box> { { "Microsoft Agent Not Installed.", "Error" } }
        << QStringList {};
}

void tst_CharacterCommands::pronounce()
{
    QFETCH(bool, withCharacter);
    QFETCH(QString, listText);
    QFETCH(QList<Box>, boxes);
    QFETCH(QStringList, requests);

    if (withCharacter) {
        m_world->store("Name", "zippik.vchar");
        commands().startUp();
        m_world->Character.Stop();
    }
    m_listText = listText;
    commands().Command3_Click();
    QCOMPARE(m_world->messages.boxes, boxes);
    if (withCharacter)
        QCOMPARE(this->requests(), requests);
}

void tst_CharacterCommands::exitWavesHidesAndArmsTheTimer()
{
    m_world->store("Name", "oolo.vchar");
    commands().startUp();
    commands().Command1_Click();
    // Stop dropped the greeting, so the wave starts at once.
    QCOMPARE(requests(), QStringList({ "Wave", "Hiding" }));
    QCOMPARE(m_timerEnabled, 1);
    QVERIFY(m_world->messages.boxes.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!m_world->Character.get()->isShown(), 15000);
}

void tst_CharacterCommands::buttonsWithoutCharacterStillWork()
{
    commands().Command1_Click();
    commands().Command2_Click();
    commands().Command4_Click();
    QCOMPARE(m_timerEnabled, 1);
    QCOMPARE(m_aboutShown, 1);
    QCOMPARE(m_chooserShown, 1);
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_CharacterCommands::aboutAndCharactorsPlayMagicFirst()
{
    m_world->store("Name", "gulmo.vchar");
    commands().startUp();
    QStringList seenWhenShown;
    CharacterCommands opener(m_world->context(),
        CharacterCommands::Windows {
            [&] { seenWhenShown << "about:" + requests().join(','); },
            [&] {
                seenWhenShown << "chooser:" + requests().join(',');
                throw Error(ErrorNumber::UnloadedWhileShown, "Object was unloaded");
            },
            [] {},
            [] { return QString(); },
        });
    opener.Command2_Click();
    opener.Command4_Click();
    QCOMPARE(seenWhenShown, QStringList({ "about:DoMagic2", "chooser:DoMagic2" }));
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_CharacterCommands::timerEndsTheProgram()
{
    commands().Timer1_Timer();
    QCOMPARE(m_world->programEnd.count, 1);
}

QTEST_MAIN(tst_CharacterCommands)
#include "tst_charactercommands.moc"
