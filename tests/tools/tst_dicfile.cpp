// The committed data/Complete.dic, read and searched by the program's own
// code: 15,500 CR LF lines of printable ASCII, four fields, word-type codes
// the program knows, each letter inside its row of the letter-range table,
// and every headword found by typing it whole. Also: at least 90% of a
// held-out list of 500 everyday English words are headwords, and common
// headwords show the word a Hindi speaker uses first.

#include "ToolsTestSupport.h"
#include "dictionary/DictionaryLookup.h"
#include "dictionary/LetterRanges.h"
#include "dictionary/WordTypes.h"
#include "doubles/FakeDictionaryView.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

class tst_DicFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void hasExactly15500CrLfLines();
    void isPrintableAsciiWithFourFields();
    void codesComeFromTheTable();
    void lettersLieInsideTheirRanges();
    void everyHeadwordIsFoundByTypingItWhole();
    void coversEverydayWords();
    void showsTheEverydayMeaningFirst_data();
    void showsTheEverydayMeaningFirst();

private:
    QByteArray m_file;
    QList<QByteArray> m_lines; // without their CR LF
    FakeDictionaryView m_view; // m_view.items: the listed, proper-cased headwords
    velmora::DictionaryLookup m_lookup { m_view };
};

void tst_DicFile::initTestCase()
{
    QVERIFY2(!toolstest::sourceDir().isEmpty(), "VELMORA_SOURCE_DIR is not set");
    m_file = toolstest::readSourceFile(u"data/Complete.dic"_qs);
    QVERIFY2(!m_file.isEmpty(), "data/Complete.dic is missing or empty");
    m_lines = m_file.split('\n');
    QVERIFY(m_lines.last().isEmpty());
    m_lines.removeLast();
    for (QByteArray &line : m_lines) {
        QVERIFY(line.endsWith('\r'));
        line.chop(1);
    }
    m_lookup.LoadDictionary(toolstest::sourceDir() + u"/data/Complete.dic"_qs);
    QCOMPARE(m_view.items.size(), m_lines.size());
}

void tst_DicFile::hasExactly15500CrLfLines()
{
    QCOMPARE(m_file.count("\r\n"), 15500);
    QCOMPARE(m_file.count('\r'), 15500);
    QCOMPARE(m_file.count('\n'), 15500);
    QVERIFY(m_file.endsWith("\r\n"));
    QCOMPARE(m_lines.size(), 15500);
}

void tst_DicFile::isPrintableAsciiWithFourFields()
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArray &line = m_lines.at(i);
        for (char c : line)
            QVERIFY2(c >= 0x20 && c <= 0x7E, qPrintable(u"line %1"_qs.arg(i)));
        const QList<QByteArray> fields = line.split('|');
        // "a||b||c||d" splits at single bars into a, "", b, "", c, "", d:
        // four fields and no bar inside any of them.
        QVERIFY2(fields.size() == 7, qPrintable(u"line %1: %2"_qs.arg(i).arg(QString::fromLatin1(line))));
        for (int k : { 1, 3, 5 })
            QVERIFY2(fields.at(k).isEmpty(), qPrintable(u"line %1"_qs.arg(i)));
        QVERIFY2(!fields.at(0).trimmed().isEmpty(), qPrintable(u"line %1 has no headword"_qs.arg(i)));
        QVERIFY2(!fields.at(4).trimmed().isEmpty(), qPrintable(u"line %1 has no meaning"_qs.arg(i)));
    }
}

void tst_DicFile::codesComeFromTheTable()
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString code = QString::fromLatin1(m_lines.at(i).split('|').at(2));
        QVERIFY2(velmora::WordTypes::nameOf(code).has_value(),
            qPrintable(u"line %1: code '%2'"_qs.arg(i).arg(code)));
    }
}

void tst_DicFile::lettersLieInsideTheirRanges()
{
    const QStringList &listed = m_view.items;
    char previous = 'A';
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const QChar first = listed.at(i).front();
        QVERIFY2(
            first >= u'A' && first <= u'Z', qPrintable(u"line %1 does not begin with a letter"_qs.arg(i)));
        const char letter = static_cast<char>(first.unicode());
        QVERIFY2(letter != 'X', "X headwords can never be found");
        QVERIFY2(letter >= previous, qPrintable(u"line %1 breaks the A to Z grouping"_qs.arg(i)));
        previous = letter;
        velmora::LetterRange r;
        QVERIFY(velmora::LetterRanges::lookup(QString(first), r));
        QVERIFY2(i >= r.start && i <= r.end,
            qPrintable(u"line %1 (%2) outside %3..%4"_qs.arg(i).arg(listed.at(i)).arg(r.start).arg(r.end)));
    }
}

void tst_DicFile::everyHeadwordIsFoundByTypingItWhole()
{
    // Typing a whole headword selects that line, or an earlier one with the
    // same headword.
    for (qsizetype i = 0; i < m_view.items.size(); ++i) {
        const QString typed = m_view.items.at(i);
        m_view.selected = -1;
        m_view.search = typed;
        m_lookup.Text1_Change();
        QVERIFY2(m_view.selected >= 0, qPrintable(u"'%1' is not found"_qs.arg(typed)));
        QVERIFY2(m_view.selected <= i && m_view.selectedText().compare(typed, Qt::CaseInsensitive) == 0,
            qPrintable(u"typing '%1' selects '%2'"_qs.arg(typed, m_view.selectedText())));
    }
}

void tst_DicFile::coversEverydayWords()
{
    const std::vector<QStringList> rows
        = toolstest::dataRows(toolstest::readSourceFile(u"tests/tools/data/everyday-words.txt"_qs));
    QCOMPARE(rows.size(), 500u);
    QSet<QString> headwords;
    for (const QString &h : std::as_const(m_view.items))
        headwords.insert(h.toLower());
    QStringList missing;
    for (const QStringList &row : rows)
        if (!headwords.contains(row.front().toLower()))
            missing << row.front();
    const int found = 500 - static_cast<int>(missing.size());
    qInfo("everyday words: %d of 500 are headwords (%.1f%%); missing: %s", found, found / 5.0,
        qPrintable(missing.join(u", "_qs)));
    QVERIFY(found >= 450);
}

// Lines of the everyday overlay as the file shows them: the everyday word
// first, the formal one kept after it, the source's plain errors replaced,
// missing parts of speech added.
void tst_DicFile::showsTheEverydayMeaningFirst_data()
{
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("first"); // the meaning up to its first "; "
    QTest::addColumn<QString>("absent"); // a sense no longer shown, or empty
    QTest::newRow("wedding") << u"wedding"_qs << u"n"_qs << u"shaadi, vivah"_qs << QString();
    QTest::newRow("kill is not die") << u"kill"_qs << u"v"_qs << u"maarna, maar dalna"_qs << QString();
    QTest::newRow("success is a noun") << u"success"_qs << u"n"_qs << u"safalta, kaamyabi"_qs << u"safal"_qs;
    QTest::newRow("more than") << u"more than"_qs << u"idm"_qs << u"se zyada, se adhik"_qs << u"ansh tak"_qs;
    QTest::newRow("refuse as waste") << u"refuse"_qs << u"n"_qs << u"kooda, kachra"_qs << QString();
    QTest::newRow("free of cost") << u"free"_qs << u"adv"_qs << u"muft, bina paise ke"_qs << u"mupht"_qs;
    QTest::newRow("blood") << u"blood"_qs << u"n"_qs << u"khoon, rakt"_qs << QString();
    QTest::newRow("formal kept") << u"difficult"_qs << u"a"_qs << u"mushkil, kathin"_qs << QString();
    QTest::newRow("economic") << u"economic"_qs << u"a"_qs << u"aarthik"_qs << QString();
    QTest::newRow("region with a comma")
        << u"region"_qs << u"n"_qs << u"ilaka, kshetra"_qs << u"pradesh kshetra"_qs;
    QTest::newRow("match stick") << u"match"_qs << u"n"_qs << u"match, mukabla"_qs << QString();
    QTest::newRow("poor added as adjective") << u"poor"_qs << u"a"_qs << u"gareeb, nirdhan"_qs << QString();
    QTest::newRow("count is not sugar cane") << u"count"_qs << u"n"_qs << u"ginti, ganana"_qs << u"ganna"_qs;
}

void tst_DicFile::showsTheEverydayMeaningFirst()
{
    QFETCH(QString, headword);
    QFETCH(QString, code);
    QFETCH(QString, first);
    QFETCH(QString, absent);
    for (const QByteArray &line : std::as_const(m_lines)) {
        const QStringList fields = QString::fromLatin1(line).split(u"||"_qs);
        if (fields.at(0) != headword || fields.at(1) != code)
            continue;
        const QStringList senses = fields.at(2).split(u"; "_qs);
        QCOMPARE(senses.front(), first);
        if (!absent.isEmpty())
            QVERIFY2(!fields.at(2).contains(QRegularExpression(u"\\b"_qs + absent + u"\\b"_qs)),
                qPrintable(fields.at(2)));
        return;
    }
    QFAIL(qPrintable(u"no line %1 (%2)"_qs.arg(headword, code)));
}

QTEST_GUILESS_MAIN(tst_DicFile)
#include "tst_dicfile.moc"
