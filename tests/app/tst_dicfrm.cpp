#include "app/DicFrm.h"
#include "character/AgentCharacter.h"
#include "doubles/CharacterWorld.h"
#include "windows/ChrFrm.h"
#include "windows/FileListBox.h"
#include "windows/about.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace velmora;

class tst_DicFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startsWithFirstEntryShownAndFocusInList();
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void controlsHaveAccessibleNames();
    void tabOrder();
    void typingSearchesAndShowsTheEntry();
    void keyboardAndMouseSelectionShowEntries();
    void rightClickOpensMenuWithoutMovingSelection();
    void leftAndMiddleClicksNeverOpenTheMenu();
    void menuKeysOpenTheMenuAtTheSelectedItem_data();
    void menuKeysOpenTheMenuAtTheSelectedItem();
    void entryBoxesAreReadOnly();
    void aCutWordTypeGivesTheWholeTextAsTooltipAndDescription_data();
    void aCutWordTypeGivesTheWholeTextAsTooltipAndDescription();
    void aboutOpensModallyCentredAndClosesWithThanks_data();
    void aboutOpensModallyCentredAndClosesWithThanks();
    void storedCharacterGreetsAtStart();
    void firstRunOpensTheChooserBeforeTheMainWindow();
    void charactorsSwitchesAndRemembers();
    void exitEndsTheProgram4000msLater();
    void withoutAThemeIconTheBuiltInIconIsDrawn();

private:
    DicFrm::Services services();

    template <class T> T *control(const char *name) const
    {
        T *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPoint rowCentre(int row) const
    {
        auto *list = control<QListView>("List1");
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CharacterWorld> m_world; // folders, settings and doubles
    std::unique_ptr<DicFrm> m_form;
};

DicFrm::Services tst_DicFrm::services()
{
    DicFrm::Services s;
    s.dictionaryPath = m_dir.filePath("Complete.dic");
    s.windowsDirectory = m_world->windowsDir.path();
    s.settingsPath = m_world->settings.filePath();
    s.messages = &m_world->messages;
    s.programEnd = &m_world->programEnd;
    s.clock = &m_world->clock;
    s.silent = true;
    return s;
}

void tst_DicFrm::init()
{
    QFile file(m_dir.filePath("Complete.dic"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("Abandon||v||chhod dena||A baby abandoned by its parents was found here.\r\n"
               "Abase||vt||apmaan karna||He would not abase himself.\r\n"
               "about||prep||ke baare mein||Tell me about it.\r\n"
               "Above||prep||upar||The sky above.\r\n"
               "Abyss||n||gehri khaai||\r\n");
    file.close();
    m_world = std::make_unique<CharacterWorld>();
    if (QByteArray(QTest::currentTestFunction()) != "firstRunOpensTheChooserBeforeTheMainWindow")
        m_world->store("Name", "oolo.vchar");
    m_form = std::make_unique<DicFrm>(services());
    if (QByteArray(QTest::currentTestFunction()) == "firstRunOpensTheChooserBeforeTheMainWindow")
        return;
    m_form->Form_Load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_DicFrm::cleanup()
{
    m_form.reset();
    m_world.reset();
}

void tst_DicFrm::startsWithFirstEntryShownAndFocusInList()
{
    auto *list = control<QListView>("List1");
    QCOMPARE(list->model()->rowCount(), 5);
    QCOMPARE(list->currentIndex().row(), 0);
    QVERIFY(list->selectionModel()->isRowSelected(0, {}));
    QCOMPARE(control<QPlainTextEdit>("WMeaning")->toPlainText(), QString("Chhod Dena"));
    QCOMPARE(control<QLineEdit>("WType")->text(), QString("Verb"));
    QCOMPARE(control<QPlainTextEdit>("WExample")->toPlainText(),
        QString("A baby abandoned by its parents was found here."));
    QCOMPARE(control<QAction>("MCopy")->text(), QString("Copy \"Abandon\""));
    QCOMPARE(m_form->focusWidget(), list);
    QCOMPARE(m_form->windowTitle(), QString("Velmora"));
    QCOMPARE(m_form->size(), QSize(511, 326));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(control<QLabel>("Label11")->text(), QString("Total Words : 15500"));
    QVERIFY(!control<ClockTimer>("Timer1")->isActive());
    QCOMPARE(control<ClockTimer>("Timer1")->interval(), 4000);
}

void tst_DicFrm::controlsStandWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Exit") << "Command1" << QRect(406, 292, 98, 23);
    QTest::newRow("About") << "Command2" << QRect(406, 270, 98, 23);
    QTest::newRow("Charactors") << "Command4" << QRect(406, 248, 98, 23);
    QTest::newRow("Pronounce") << "Command3" << QRect(406, 225, 98, 24);
    QTest::newRow("WExample") << "WExample" << QRect(165, 224, 230, 91);
    QTest::newRow("Text1") << "Text1" << QRect(4, 82, 152, 20);
    QTest::newRow("WType") << "WType" << QRect(165, 103, 124, 22);
    QTest::newRow("WMeaning") << "WMeaning" << QRect(165, 151, 343, 49);
    QTest::newRow("List1") << "List1" << QRect(4, 103, 152, 212);
    QTest::newRow("Frame1") << "Frame1" << QRect(1, -2, 518, 60);
    QTest::newRow("Label8") << "Label8" << QRect(302, 70, 209, 54);
}

void tst_DicFrm::controlsStandWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QWidget *widget = m_form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
}

void tst_DicFrm::controlsHaveAccessibleNames()
{
    const QList<std::pair<const char *, QString>> names {
        { "Text1", "Search" },
        { "List1", "English Words" },
        { "WType", "Word Type" },
        { "WMeaning", "Word Meaning in Roman Script" },
        { "WExample", "Word Example" },
        { "Command1", "Exit" },
        { "Command2", "About" },
        { "Command3", "Pronounce" },
        { "Command4", "Charactors" },
    };
    for (const auto &[name, accessible] : names)
        QCOMPARE(control<QWidget>(name)->accessibleName(), accessible);
}

void tst_DicFrm::tabOrder()
{
    QStringList stops;
    QWidget *w = control<QWidget>("List1");
    for (int i = 0; i < 10; ++i) {
        stops << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(m_form.get()) || w == m_form.get());
    }
    QCOMPARE(stops,
        QStringList({ "List1", "WMeaning", "Command1", "WType", "Command2", "Text1", "WExample", "Command3",
            "Command4", "List1" }));
}

void tst_DicFrm::typingSearchesAndShowsTheEntry()
{
    auto *search = control<QLineEdit>("Text1");
    auto *list = control<QListView>("List1");
    search->setFocus();
    QTest::keyClicks(search, "ab");
    QCOMPARE(list->currentIndex().row(), 0);
    QTest::keyClicks(search, "o");
    QCOMPARE(list->currentIndex().row(), 2);
    QCOMPARE(control<QPlainTextEdit>("WMeaning")->toPlainText(), QString("Ke Baare Mein"));
    QCOMPARE(control<QLineEdit>("WType")->text(), QString("Preposition"));
    QCOMPARE(control<QAction>("MCopy")->text(), QString("Copy \"About\""));

    // Pasting or setting the text searches too.
    search->setText("ABY");
    QCOMPARE(list->currentIndex().row(), 4);
    QCOMPARE(control<QPlainTextEdit>("WExample")->toPlainText(), QString());
    // Deleting everything keeps the entry.
    search->clear();
    QCOMPARE(list->currentIndex().row(), 4);
    QCOMPARE(control<QPlainTextEdit>("WMeaning")->toPlainText(), QString("Gehri Khaai"));
}

void tst_DicFrm::keyboardAndMouseSelectionShowEntries()
{
    auto *list = control<QListView>("List1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(control<QPlainTextEdit>("WMeaning")->toPlainText(), QString("Apmaan Karna"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(3));
    QCOMPARE(list->currentIndex().row(), 3);
    QCOMPARE(control<QPlainTextEdit>("WMeaning")->toPlainText(), QString("Upar"));
    QCOMPARE(control<QLineEdit>("WType")->text(), QString("Preposition"));
}

void tst_DicFrm::rightClickOpensMenuWithoutMovingSelection()
{
    auto *list = control<QListView>("List1");
    auto *menu = control<QMenu>("MFile");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, rowCentre(4));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(list->currentIndex().row(), 2);
    QVERIFY(list->selectionModel()->isRowSelected(2, {}));
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), QString("Copy \"About\""));

    QApplication::clipboard()->setText("unrelated");
    menu->actions().first()->trigger();
    menu->close();
    QCOMPARE(QApplication::clipboard()->text(), QString("About"));
}

void tst_DicFrm::leftAndMiddleClicksNeverOpenTheMenu()
{
    auto *list = control<QListView>("List1");
    auto *menu = control<QMenu>("MFile");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseClick(list->viewport(), Qt::MiddleButton, {}, rowCentre(1));
    QCoreApplication::processEvents(); // whatever the clicks left for the event loop
    QVERIFY(!menu->isVisible());
}

void tst_DicFrm::menuKeysOpenTheMenuAtTheSelectedItem_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
    QTest::newRow("F10 alone") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier | Qt::ControlModifier)
                                    << false;
}

void tst_DicFrm::menuKeysOpenTheMenuAtTheSelectedItem()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    auto *list = control<QListView>("List1");
    auto *menu = control<QMenu>("MFile");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (!opens) {
        QCoreApplication::processEvents();
        QVERIFY(!menu->isVisible());
        return;
    }
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(list->currentIndex().row(), 2);
    // Beside the selected row, not wherever the mouse pointer happens to be.
    const QRect row = list->visualRect(list->model()->index(2, 0));
    const QPoint rowOnScreen = list->viewport()->mapToGlobal(row.bottomLeft());
    QVERIFY2(std::abs(menu->pos().y() - rowOnScreen.y()) <= 2,
        qPrintable(QString("menu at %1, row ends at %2").arg(menu->pos().y()).arg(rowOnScreen.y())));
    QVERIFY(menu->pos().x() >= rowOnScreen.x() && menu->pos().x() < rowOnScreen.x() + row.width());
    // While open, the menu and its item are in the window's accessible tree.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QAccessibleInterface *popup = window->child(window->childCount() - 1);
    QVERIFY(popup);
    QCOMPARE(popup->role(), QAccessible::PopupMenu);
    QCOMPARE(window->indexOfChild(popup), window->childCount() - 1);
    QAccessibleInterface *item = popup->child(0);
    QVERIFY(item);
    QCOMPARE(item->role(), QAccessible::MenuItem);
    QCOMPARE(item->text(QAccessible::Name), QString("Copy \"About\""));
    QVERIFY(item->actionInterface());
    QVERIFY(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    // Its item is active, so Enter copies at once.
    QCOMPARE(menu->activeAction(), control<QAction>("MCopy"));
    QCOMPARE(menu->activeAction()->text(), QString("Copy \"About\""));
    QApplication::clipboard()->setText("unrelated");
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(QApplication::clipboard()->text(), QString("About"));
    QCOMPARE(list->currentIndex().row(), 2);
    // Closed, it leaves the tree again.
    for (int i = 0; i < window->childCount(); ++i)
        QVERIFY(window->child(i)->role() != QAccessible::PopupMenu);
}

void tst_DicFrm::entryBoxesAreReadOnly()
{
    for (const char *name : { "WMeaning", "WExample" }) {
        auto *box = control<QPlainTextEdit>(name);
        const QString before = box->toPlainText();
        box->setFocus();
        QTest::keyClicks(box, "xyz");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->toPlainText(), before);
    }
    auto *type = control<QLineEdit>("WType");
    QTest::keyClicks(type, "xyz");
    QCOMPARE(type->text(), QString("Verb"));
}

void tst_DicFrm::aCutWordTypeGivesTheWholeTextAsTooltipAndDescription_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("type");
    QTest::newRow("fits: Verb") << QByteArray("v") << "Verb";
    QTest::newRow("fits: Noun") << QByteArray("n") << "Noun";
    QTest::newRow("cut: Verb transitive, intransitive")
        << QByteArray("vti") << "Verb transitive, intransitive";
    QTest::newRow("fits: Phrasal verb intransitive") << QByteArray("phrvi") << "Phrasal verb intransitive";
    QTest::newRow("fits: Reflexive pronoun") << QByteArray("refl pron") << "Reflexive pronoun";
}

void tst_DicFrm::aCutWordTypeGivesTheWholeTextAsTooltipAndDescription()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, type);
    m_form.reset();
    QFile file(m_dir.filePath("Complete.dic"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // The second entry's type follows the first's, so the hint must also go away again.
    file.write("Abandon||" + code + "||chhod dena||x\r\nAbase||n||apmaan karna||y\r\n");
    file.close();
    m_form = std::make_unique<DicFrm>(services());
    m_form->Form_Load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));

    auto *box = control<QLineEdit>("WType");
    QCOMPARE(box->text(), type);
    // Whether the box really cuts the text, seen from the box itself: the
    // last place a click can put the cursor while the text is shown from its start.
    box->setCursorPosition(0);
    const bool cut = box->cursorPositionAt(QPoint(box->width() - 3, box->height() / 2)) < type.size();
    QCOMPARE(cut, QTest::currentDataTag() && QByteArray(QTest::currentDataTag()).startsWith("cut"));
    QCOMPARE(box->toolTip(), cut ? type : QString());
    QCOMPARE(box->accessibleDescription(), cut ? type : QString());

    QTest::keyClick(control<QListView>("List1"), Qt::Key_Down);
    QCOMPARE(box->text(), QString("Noun"));
    QCOMPARE(box->toolTip(), QString());
    QCOMPARE(box->accessibleDescription(), QString());
}

void tst_DicFrm::aboutOpensModallyCentredAndClosesWithThanks_data()
{
    QTest::addColumn<int>("closeBy"); // 0 click, 1 Enter, 2 space
    QTest::newRow("click Thanks") << 0;
    QTest::newRow("Enter presses Thanks") << 1;
    QTest::newRow("space presses Thanks") << 2;
}

void tst_DicFrm::aboutOpensModallyCentredAndClosesWithThanks()
{
    QFETCH(int, closeBy);
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *window = qobject_cast<about *>(QApplication::activeModalWidget());
        QVERIFY(window);
        seen = true;
        QCOMPARE(window->windowTitle(), QString("About Dictionary"));
        QCOMPARE(window->size(), QSize(441, 180));
        QVERIFY(window->isModal());
        QVERIFY((window->frameGeometry().center() - m_form->frameGeometry().center()).manhattanLength() <= 2);
        auto *thanks = window->findChild<QPushButton *>("Command1");
        QCOMPARE(window->focusWidget(), thanks);
        auto *request = window->findChild<QLabel *>("Label11");
        QCOMPARE(request->text(), QString("Please do comment/suggest and make this perfact"));
        if (closeBy == 0)
            QTest::mouseClick(thanks, Qt::LeftButton);
        else
            QTest::keyClick(thanks, closeBy == 1 ? Qt::Key_Return : Qt::Key_Space);
    });
    control<QPushButton>("Command2")->click();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(m_form->findChildren<about *>().isEmpty());
}

void tst_DicFrm::storedCharacterGreetsAtStart()
{
    QVERIFY(!m_form->Pat.isEmpty());
    QCOMPARE(agentCharacter(m_form->Pat)->displayName(), QString("Oolo"));
    QWidget *character = agentCharacter(m_form->Pat)->characterWindow();
    QCOMPARE(QPoint(m_form->Pat.left(), m_form->Pat.top()), CharacterWorld::startPlace(character));
    QVERIFY(QApplication::primaryScreen()->availableGeometry().contains(character->geometry()));
    QVERIFY(m_world->messages.boxes.isEmpty());
    QTRY_VERIFY(agentCharacter(m_form->Pat)->isShown());

    // Pronounce speaks the selected headword, once the greeting is over.
    character::AgentCharacter *pat = agentCharacter(m_form->Pat);
    QSignalSpy spoken(pat, &character::AgentCharacter::speakingStarted);
    control<QPushButton>("Command3")->click();
    QVERIFY(m_world->clock.advanceUntil([&] { return pat->currentAnimation() == "Speaking"; }, 10000));
    // The voice comes from the synthesis thread.
    QTRY_COMPARE_WITH_TIMEOUT(spoken.size(), 1, 10000);
    QCOMPARE(spoken.first().first().toString(), QString("Abandon"));
}

void tst_DicFrm::firstRunOpensTheChooserBeforeTheMainWindow()
{
    m_form->hide();
    bool mainWindowVisible = true;
    QTimer::singleShot(0, this, [&] {
        auto *chooser = qobject_cast<ChrFrm *>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        mainWindowVisible = m_form->isVisible();
        QCOMPARE(chooser->fileList()->selectedIndex(), 0);
        chooser->close();
    });
    m_form->Form_Load();
    QVERIFY(!mainWindowVisible);
    QCOMPARE(agentCharacter(m_form->Pat)->displayName(), QString("Gulmo"));
    QCOMPARE(m_world->stored("Name"), QString("gulmo.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("0"));
}

void tst_DicFrm::charactorsSwitchesAndRemembers()
{
    QTimer::singleShot(0, this, [&] {
        auto *chooser = qobject_cast<ChrFrm *>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        QCOMPARE(chooser->fileList()->selectedIndex(), 0); // LIndex was never written
        chooser->fileList()->setSelectedIndex(2);
        chooser->close();
    });
    control<QPushButton>("Command4")->click();
    QCOMPARE(agentCharacter(m_form->Pat)->displayName(), QString("Zippik"));
    QCOMPARE(m_form->Character.get(), m_form->Pat.get());
    QCOMPARE(m_world->stored("Name"), QString("zippik.vchar"));
    QCOMPARE(m_world->stored("LIndex"), QString("2"));
}

void tst_DicFrm::exitEndsTheProgram4000msLater()
{
    control<QPushButton>("Command1")->click();
    QCOMPARE(agentCharacter(m_form->Character)->currentAnimation(), QString("Wave"));
    QVERIFY(control<ClockTimer>("Timer1")->isActive());
    m_world->clock.advance(3999);
    QCOMPARE(m_world->programEnd.count, 0);
    QVERIFY(!agentCharacter(m_form->Character)->isShown()); // waved and gone
    m_world->clock.advance(1);
    QCOMPARE(m_world->programEnd.count, 1);
}

void tst_DicFrm::withoutAThemeIconTheBuiltInIconIsDrawn()
{
    m_form->showWindowIcon(QStringLiteral("no-such-icon-in-any-theme"));
    const QIcon icon = m_form->windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)),
        "the icon has its 16 and 32 px drawings");
    const QImage drawn = icon.pixmap(QSize(32, 32)).toImage();
    int opaque = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            opaque += qAlpha(drawn.pixel(x, y)) > 0;
    QVERIFY2(opaque > 32 * 32 / 4, qPrintable(QString("only %1 drawn pixels").arg(opaque)));
}

QTEST_MAIN(tst_DicFrm)
#include "tst_dicfrm.moc"
