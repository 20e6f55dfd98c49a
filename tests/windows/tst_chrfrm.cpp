#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "doubles/CharacterWorld.h"
#include "doubles/FailingSaveFile.h"
#include "windows/ChrFrm.h"
#include "windows/FileListBox.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QSaveFile>
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
    void saveFailureIsReportedOnceTheChooserHasClosed_data();
    void saveFailureIsReportedOnceTheChooserHasClosed();
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
    QCOMPARE(agentCharacter(m_world->Pat)->displayName(), QString("Gulmo"));
    QCOMPARE(QPoint(m_world->Pat.left(), m_world->Pat.top()),
        CharacterWorld::startPlace(agentCharacter(m_world->Pat)->characterWindow()));
    QCOMPARE(agentCharacter(m_world->Pat)->currentAnimation(), QString("Showing"));
    QCOMPARE(agentCharacter(m_world->Pat)->queuedAnimations(), QStringList({ "Greet" }));
    QCOMPARE(m_world->stored("Name"), QString("gulmo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("0"));
    QVERIFY(m_world->messages.boxes.isEmpty());
}

void tst_ChrFrm::closingWithTheStoredFileSelectedChangesNothing()
{
    openAndClose([](ChrFrm &c) { c.fileList()->setSelectedIndex(1); });
    velmora::character::AgentCharacter *const first = agentCharacter(m_world->Pat);
    QCOMPARE(first->displayName(), QString("Oolo"));
    // Dated back a minute, so that any rewrite would show in the file's time.
    QFile file(m_world->settings.filePath());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    const QDateTime written = QFileInfo(file).lastModified();

    QCOMPARE(openAndClose(), 1);
    QCOMPARE(agentCharacter(m_world->Pat), first);
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
    QCOMPARE(agentCharacter(m_world->Pat)->displayName(), QString("Gulmo"));
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
    m_world->MsAgent.Load("Pat", "oolo.vchar");
    m_world->Character.set(m_world->MsAgent.Item("Pat"));
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
    QCOMPARE(agentCharacter(m_world->Character)->currentAnimation(), QString("Wave"));
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
        QCOMPARE(agentCharacter(m_world->Character)->currentAnimation(), QString());
        QVERIFY(agentCharacter(m_world->Character)->queuedAnimations().isEmpty());
    });
}

void tst_ChrFrm::staleReferenceDoesNotEndTheProgram()
{
    openAndClose();
    m_world->MsAgent.Unload("Pat");
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

// Every entry below `dir` with each file's bytes.
static QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        QFile file(it.filePath());
        entries.insert(it.filePath(),
            it.fileInfo().isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                     : QByteArray("<folder>"));
    }
    return entries;
}

void tst_ChrFrm::saveFailureIsReportedOnceTheChooserHasClosed_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full") << "full disk" << QString::fromLocal8Bit(strerror(ENOSPC));
    QTest::newRow("read-only folder") << "read-only folder" << QString::fromLocal8Bit(strerror(EACCES));
    QTest::newRow("folder in place of the file") << "folder"
                                                 << "it is a folder, not a file";
    QTest::newRow("file over the size cap") << "large file"
                                            << "it is larger than 1 MiB";
}

void tst_ChrFrm::saveFailureIsReportedOnceTheChooserHasClosed()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, reason);

    const QString path = m_world->settings.filePath();
    m_world->store("Name", "oolo.vchar");
    m_world->store("LIndex", "1");
    if (obstacle == "full disk" || obstacle == "read-only folder") {
        const auto failure = obstacle == "full disk" ? FailingSaveFile::Failure::FullDisk
                                                     : FailingSaveFile::Failure::ReadOnlyFolder;
        m_world->settings.setSaveFileFactory(
            [failure](const QString &p) { return std::make_unique<FailingSaveFile>(p, failure); });
    } else if (obstacle == "folder") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path + "/inside"));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        while (file.size() <= (1 << 20))
            file.write("; padding padding padding padding padding padding padding padding\n");
    }
    const auto before = snapshot(QFileInfo(path).absolutePath());

    bool chooserShownWithMessage = true;
    m_world->messages.onShow
        = [&] { chooserShownWithMessage = QApplication::activeModalWidget() != nullptr; };
    openAndClose([](ChrFrm &c) { c.fileList()->setSelectedIndex(2); });

    // The character chosen is used for this run all the same.
    QVERIFY(!m_world->Pat.isEmpty());
    QCOMPARE(agentCharacter(m_world->Pat)->displayName(), QString("Zippik"));
    QCOMPARE(m_world->messages.boxes.size(), 1);
    const Box box = m_world->messages.boxes.first();
    QCOMPARE(box.title, velmora::applicationTitle());
    QVERIFY2(box.text.startsWith("The character you chose is used now, but your choice could not be saved"),
        qPrintable(box.text));
    QVERIFY2(box.text.contains(path + "\": " + reason), qPrintable(box.text));
    QVERIFY2(!chooserShownWithMessage, "the message came while the chooser was still open");
    QCOMPARE(snapshot(QFileInfo(path).absolutePath()), before);
    QCOMPARE(m_world->programEnd.count, 0);
}

QTEST_MAIN(tst_ChrFrm)
#include "tst_chrfrm.moc"
