#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "doubles/CharacterWorld.h"
#include "windows/ChrFrm.h"
#include "windows/FileListBox.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace velmora;
using Box = RecordingMessageSink::Box;

class tst_ChrFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowAndList();
    void firstRunPicksTheFirstFileAndStoresIt();
    void closingWithTheStoredFileSelectedChangesNothing();
    void storedNameInAnotherCaseIsReloaded();
    void filesAddedAheadShiftThePreselection();
    void unusableStoredPositionOpensWithNothingSelected_data();
    void unusableStoredPositionOpensWithNothingSelected();
    void emptyFolderOpensWithNothingSelected();
    void missingFolderSaysAgentNotInstalledAndReports364();
    void fileThatCannotLoadIsNotStored();
    void openingStopsTheCharacter();
    void staleReferenceDoesNotEndTheProgram();
    void escapeAndCloseBoxBothTakeTheChoice_data();
    void escapeAndCloseBoxBothTakeTheChoice();

private:
    // Opens the chooser modally; `act` runs while it is shown, then the
    // chooser is closed with its close box. Returns the list positions seen.
    int openAndClose(const std::function<void(ChrFrm &)> &act = {});

    std::unique_ptr<CharacterWorld> m_world;
};

void tst_ChrFrm::init()
{
    m_world = std::make_unique<CharacterWorld>();
}

void tst_ChrFrm::cleanup()
{
    QVERIFY(!QApplication::activeModalWidget());
    m_world.reset();
}

int tst_ChrFrm::openAndClose(const std::function<void(ChrFrm &)> &act)
{
    int selectedWhenShown = -2;
    ChrFrm chooser(
        m_world->context(), [this] { return m_world->windowsDir.path(); }, nullptr);
    QTimer::singleShot(0, this, [&] {
        QCOMPARE(QApplication::activeModalWidget(), &chooser);
        selectedWhenShown = chooser.fileList()->selectedIndex();
        if (act)
            act(chooser);
        chooser.close();
    });
    chooser.showModal();
    return selectedWhenShown;
}

void tst_ChrFrm::windowAndList()
{
    m_world->addFile(".hidden.vchar", "x");
    m_world->addFile("Readme.txt", "x");
    QDir(m_world->charFolder()).mkdir("folder");
    openAndClose([](ChrFrm &chooser) {
        QCOMPARE(chooser.windowTitle(), QString("MS Agent Charactors."));
        QCOMPARE(chooser.size(), QSize(262, 110));
        QCOMPARE(chooser.fileList()->geometry(), QRect(2, 47, 257, 58));
        QCOMPARE(chooser.findChild<QLabel *>("Label2")->text(), QString("Select Animation Charactor."));
        QCOMPARE(chooser.findChild<QLabel *>("Label1")->text(), QString("Animation Charactors"));
        QCOMPARE(chooser.focusWidget(), chooser.fileList());
        FileListBox *list = chooser.fileList();
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        // Every ordinary file, any extension; hidden files and folders left out.
        QCOMPARE(names, QStringList({ "gulmo.vchar", "oolo.vchar", "Readme.txt", "zippik.vchar" }));
        QCOMPARE(list->itemText(99), QString());
        QVERIFY_THROWS_EXCEPTION(Error, list->setSelectedIndex(4));
        QVERIFY_THROWS_EXCEPTION(Error, list->setSelectedIndex(-2));
        list->setSelectedIndex(-1);
    });
}

void tst_ChrFrm::firstRunPicksTheFirstFileAndStoresIt()
{
    QCOMPARE(openAndClose(), 0);
    QVERIFY(!m_world->Pat.isEmpty());
    QCOMPARE(m_world->Pat.get(), m_world->Character.get());
    QCOMPARE(m_world->Pat.get()->displayName(), QString("Gulmo"));
    QCOMPARE(QPoint(m_world->Pat.left(), m_world->Pat.top()),
        CharacterWorld::startPlace(m_world->Pat.get()->characterWindow()));
    QCOMPARE(m_world->Pat.get()->currentAnimation(), QString("Showing"));
    QCOMPARE(m_world->Pat.get()->queuedAnimations(), QStringList({ "Greet" }));
    QCOMPARE(m_world->stored("Name"), QString("gulmo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("0"));
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_ChrFrm::closingWithTheStoredFileSelectedChangesNothing()
{
    openAndClose([](ChrFrm &c) { c.fileList()->setSelectedIndex(1); });
    const auto first = m_world->Pat.get();
    QCOMPARE(first->displayName(), QString("Oolo"));
    QFile file(m_world->settings.filePath());
    const QDateTime written = QFileInfo(file).lastModified();
    QTest::qWait(20);

    QCOMPARE(openAndClose(), 1);
    QCOMPARE(m_world->Pat.get(), first);
    QVERIFY(first->isLoaded());
    QCOMPARE(QFileInfo(file).lastModified(), written);
}

void tst_ChrFrm::storedNameInAnotherCaseIsReloaded()
{
    m_world->store("Name", "GULMO.vchar");
    m_world->store("LIndex", "0");
    openAndClose();
    QVERIFY(!m_world->Pat.isEmpty());
    QCOMPARE(m_world->stored("Name"), QString("gulmo.vchar"));
}

void tst_ChrFrm::filesAddedAheadShiftThePreselection()
{
    m_world->store("Name", "oolo.vchar");
    m_world->store("LIndex", "1");
    m_world->addCharacter("zippik.vchar", "aaron.vchar");
    QCOMPARE(openAndClose(), 1);
    QCOMPARE(m_world->Pat.get()->displayName(), QString("Gulmo"));
    QCOMPARE(m_world->stored("Name"), QString("gulmo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("1"));
}

void tst_ChrFrm::unusableStoredPositionOpensWithNothingSelected_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("past the end") << "3";
    QTest::newRow("below -1") << "-2";
    QTest::newRow("not a number") << "two";
    QTest::newRow("outside 16 bits") << "70000";
    QTest::newRow("empty") << "";
    QTest::newRow("minus one") << "-1";
}

void tst_ChrFrm::unusableStoredPositionOpensWithNothingSelected()
{
    QFETCH(QString, stored);
    m_world->store("Name", "oolo.vchar");
    m_world->store("LIndex", stored);
    QCOMPARE(openAndClose(), -1);
    // Closing with nothing selected keeps the stored choice and loads nothing.
    QVERIFY(m_world->Pat.isEmpty());
    QCOMPARE(m_world->stored("Name"), QString("oolo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), stored);
    QVERIFY(m_world->messages.boxes.isEmpty());
    QCOMPARE(m_world->programEnd.count, 0);
}

void tst_ChrFrm::emptyFolderOpensWithNothingSelected()
{
    QDir(m_world->charFolder()).removeRecursively();
    QDir().mkpath(m_world->charFolder());
    QCOMPARE(openAndClose([](ChrFrm &c) { QCOMPARE(c.fileList()->count(), 0); }), -1);
    QVERIFY(m_world->messages.boxes.isEmpty());
    QCOMPARE(m_world->programEnd.count, 0);
    QCOMPARE(m_world->stored("Name"), QString("<none>"));
}

void tst_ChrFrm::missingFolderSaysAgentNotInstalledAndReports364()
{
    m_world->store("Name", "oolo.vchar");
    m_world->MsAgent.Characters().Load("Pat", "oolo.vchar");
    m_world->Character.set(m_world->MsAgent.Characters().Item("Pat"));
    m_world->Character.Play("Wave");
    m_world->removeCharFolder();

    ChrFrm chooser(
        m_world->context(), [this] { return m_world->windowsDir.path(); }, nullptr);
    try {
        chooser.showModal();
        QFAIL("the chooser should report that it unloaded itself");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::UnloadedWhileShown);
    }
    QCOMPARE(m_world->messages.boxes, QList<Box>({ { "Microsoft Agent Not Installed.", "Error" } }));
    QVERIFY(!chooser.isVisible());
    // No stop was issued and nothing was stored.
    QCOMPARE(m_world->Character.get()->currentAnimation(), QString("Wave"));
    QCOMPARE(m_world->stored("Name"), QString("oolo.vchar"));
}

void tst_ChrFrm::fileThatCannotLoadIsNotStored()
{
    m_world->store("Name", "oolo.vchar");
    m_world->store("LIndex", "1");
    m_world->addFile("zz-notes.txt", "not a character");
    openAndClose([](ChrFrm &c) { c.fileList()->setSelectedIndex(3); });
    QCOMPARE(m_world->stored("Name"), QString("oolo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("1"));
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_ChrFrm::openingStopsTheCharacter()
{
    openAndClose();
    m_world->Character.Play("Wave");
    m_world->Character.Play("DoMagic2");
    openAndClose([this](ChrFrm &) {
        QCOMPARE(m_world->Character.get()->currentAnimation(), QString());
        QVERIFY(m_world->Character.get()->queuedAnimations().isEmpty());
    });
}

void tst_ChrFrm::staleReferenceDoesNotEndTheProgram()
{
    openAndClose();
    m_world->MsAgent.Characters().Unload("Pat");
    QCOMPARE(openAndClose(), 0);
    QCOMPARE(m_world->programEnd.count, 0);
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_ChrFrm::escapeAndCloseBoxBothTakeTheChoice_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("close box") << false;
    QTest::newRow("escape key") << true;
}

void tst_ChrFrm::escapeAndCloseBoxBothTakeTheChoice()
{
    QFETCH(bool, escape);
    ChrFrm chooser(
        m_world->context(), [this] { return m_world->windowsDir.path(); }, nullptr);
    QTimer::singleShot(0, this, [&] {
        chooser.fileList()->setSelectedIndex(2);
        if (escape)
            QTest::keyClick(&chooser, Qt::Key_Escape);
        else
            chooser.close();
    });
    chooser.showModal();
    QCOMPARE(m_world->stored("Name"), QString("zippik.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("2"));
}

QTEST_MAIN(tst_ChrFrm)
#include "tst_chrfrm.moc"
