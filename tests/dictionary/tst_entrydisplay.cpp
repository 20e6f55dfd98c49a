#include "dictionary/DictionaryLookup.h"
#include "dictionary/EntryDisplay.h"
#include "doubles/FakeDictionaryView.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

class tst_EntryDisplay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void shortLinesLeavePreviousFields_data();
    void shortLinesLeavePreviousFields();
    void wordTypeCodes_data();
    void wordTypeCodes();
    void copyPutsTheListedHeadwordAlone();
    void onlyTheRightButtonOpensTheMenu_data();
    void onlyTheRightButtonOpensTheMenu();
    void wholeEntryHasTheWindowsTexts_data();
    void wholeEntryHasTheWindowsTexts();

private:
    // Loads `lines` (joined with CR LF), selects 0, then selects 1.
    void showSecondAfterFirst(const QByteArray &first, const QByteArray &second);

    QTemporaryDir m_dir;
    FakeDictionaryView m_view;
    std::unique_ptr<DictionaryLookup> m_lookup;
};

void tst_EntryDisplay::init()
{
    m_view = FakeDictionaryView();
    m_lookup = std::make_unique<DictionaryLookup>(m_view);
    m_view.onSelect = [this] { m_lookup->List1_Click(); };
}

void tst_EntryDisplay::showSecondAfterFirst(const QByteArray &first, const QByteArray &second)
{
    QFile f(m_dir.filePath("t.dic"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(first + "\r\n" + second + "\r\n");
    f.close();
    m_lookup->LoadDictionary(f.fileName());
    m_view.setSelectedIndex(0);
    m_view.setSelectedIndex(1);
}

void tst_EntryDisplay::shortLinesLeavePreviousFields_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("wordType");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("caption");

    const QByteArray first = "about||prep||ke baare mein||Tell me about it.";
    Q_UNUSED(first);
    QTest::newRow("five fields: extra ignored")
        << QByteArray("book||n||kitaab||A good Book.||extra") << "Kitaab"
        << "Noun"
        << "A good Book."
        << "Copy \"Book\"";
    QTest::newRow("four fields") << QByteArray("book||vt||kitaab rakhna||Book a seat.") << "Kitaab Rakhna"
                                 << "Verb transitive"
                                 << "Book a seat."
                                 << "Copy \"Book\"";
    QTest::newRow("three fields keep previous example") << QByteArray("book||n||kitaab") << "Kitaab"
                                                        << "Noun"
                                                        << "Tell me about it."
                                                        << "Copy \"Book\"";
    QTest::newRow("two fields keep previous meaning and example") << QByteArray("book||n") << "Ke Baare Mein"
                                                                  << "Noun"
                                                                  << "Tell me about it."
                                                                  << "Copy \"Book\"";
    QTest::newRow("one field changes only the caption") << QByteArray("book") << "Ke Baare Mein"
                                                        << "Preposition"
                                                        << "Tell me about it."
                                                        << "Copy \"Book\"";
    QTest::newRow("code outside table keeps previous type")
        << QByteArray("book||noun||kitaab||ex") << "Kitaab"
        << "Preposition"
        << "ex"
        << "Copy \"Book\"";
    QTest::newRow("empty meaning and example are shown empty") << QByteArray("book||n||||") << ""
                                                               << "Noun"
                                                               << ""
                                                               << "Copy \"Book\"";
    QTest::newRow("empty line changes only the caption") << QByteArray("") << "Ke Baare Mein"
                                                         << "Preposition"
                                                         << "Tell me about it."
                                                         << "Copy \"\"";
}

void tst_EntryDisplay::shortLinesLeavePreviousFields()
{
    QFETCH(QByteArray, second);
    QFETCH(QString, meaning);
    QFETCH(QString, wordType);
    QFETCH(QString, example);
    QFETCH(QString, caption);
    showSecondAfterFirst("about||prep||ke baare mein||Tell me about it.", second);
    QCOMPARE(m_view.meaning, meaning);
    QCOMPARE(m_view.wordType, wordType);
    QCOMPARE(m_view.example, example);
    QCOMPARE(m_view.copyCaption, caption);
}

void tst_EntryDisplay::wordTypeCodes_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("wordType");
    const QString previous = "Preposition";
    QTest::newRow("N") << QByteArray("N") << "Noun";
    QTest::newRow("VT") << QByteArray("VT") << "Verb transitive";
    QTest::newRow("auxv") << QByteArray("auxv") << "Auxiliary verb";
    QTest::newRow("AUXV") << QByteArray("AUXV") << "Auxiliary verb";
    QTest::newRow("abbr with colon") << QByteArray("abbr:") << "Abbreviation";
    QTest::newRow("abbr without colon") << QByteArray("abbr") << previous;
    QTest::newRow("comb form") << QByteArray("Comb Form") << "Combination form";
    QTest::newRow("refl pron") << QByteArray("refl pron") << "Reflexive pronoun";
    QTest::newRow("vti") << QByteArray("vti") << "Verb transitive, intransitive";
    QTest::newRow("a is adjective") << QByteArray("a") << "Adjective";
    QTest::newRow("leading space") << QByteArray(" n") << previous;
    QTest::newRow("trailing space") << QByteArray("n ") << previous;
    QTest::newRow("whole code, not prefix") << QByteArray("noun") << previous;
    QTest::newRow("prefix of a code") << QByteArray("phr") << previous;
    QTest::newRow("empty code") << QByteArray("") << previous;
}

void tst_EntryDisplay::wordTypeCodes()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, wordType);
    showSecondAfterFirst("about||prep||ke baare mein||Tell me about it.", "word||" + code + "||arth||ex");
    QCOMPARE(m_view.wordType, wordType);
}

void tst_EntryDisplay::copyPutsTheListedHeadwordAlone()
{
    showSecondAfterFirst("book||n||kitaab||A book.", "aBOUT||prep||ke baare mein||Tell me about it.");
    QCOMPARE(m_view.copyCaption, QString("Copy \"About\""));
    m_view.clipboard = "something else";
    m_lookup->MCopy_Click();
    QCOMPARE(m_view.clipboardClears, 1);
    QCOMPARE(m_view.clipboard, QString("About"));
}

void tst_EntryDisplay::onlyTheRightButtonOpensTheMenu_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("popups");
    QTest::newRow("left") << 1 << 0;
    QTest::newRow("right") << 2 << 1;
    QTest::newRow("middle") << 4 << 0;
}

void tst_EntryDisplay::onlyTheRightButtonOpensTheMenu()
{
    QFETCH(int, button);
    QFETCH(int, popups);
    showSecondAfterFirst("book||n||kitaab||A book.", "cat||n||billi||A cat.");
    m_lookup->List1_MouseDown(button);
    QCOMPARE(m_view.popups, popups);
    QCOMPARE(m_view.selected, 1);
}

// The texts the terminal prints: the same as the window shows for the line
// selected on its own (nothing is left over from a previous entry).
void tst_EntryDisplay::wholeEntryHasTheWindowsTexts_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("wordType");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("example");
    QTest::newRow("four fields") << QByteArray("ice cream||N||barf ki MALAI||An Ice cream.") << "Ice Cream"
                                 << "Noun"
                                 << "Barf Ki Malai"
                                 << "An Ice cream.";
    QTest::newRow("code in any case") << QByteArray("be||AUXV||hona||") << "Be"
                                      << "Auxiliary verb"
                                      << "Hona"
                                      << "";
    QTest::newRow("code outside the table") << QByteArray("xyz||noun||kuchh||x") << "Xyz"
                                            << ""
                                            << "Kuchh"
                                            << "x";
    QTest::newRow("three fields") << QByteArray("book||n||kitaab") << "Book"
                                  << "Noun"
                                  << "Kitaab"
                                  << "";
    QTest::newRow("headword alone") << QByteArray("book") << "Book"
                                    << ""
                                    << ""
                                    << "";
    QTest::newRow("empty line") << QByteArray() << ""
                                << ""
                                << ""
                                << "";
}

void tst_EntryDisplay::wholeEntryHasTheWindowsTexts()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, headword);
    QFETCH(QString, wordType);
    QFETCH(QString, meaning);
    QFETCH(QString, example);
    const ShownEntry entry = EntryDisplay::entry(line);
    QCOMPARE(entry.headword, headword);
    QCOMPARE(entry.wordType, wordType);
    QCOMPARE(entry.meaning, meaning);
    QCOMPARE(entry.example, example);
}

QTEST_APPLESS_MAIN(tst_EntryDisplay)
#include "tst_entrydisplay.moc"
