#include "dictionary/HeadwordIndex.h"

#include <QTest>

using namespace velmora;

class tst_HeadwordIndex : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linesOf_data();
    void linesOf();
    void wordsOnceInFileOrder();
};

namespace {
const QByteArray kLines = "a||det||ek||\r\n"
                          "a few||det||kuchh||\r\n"
                          "Water||n||pani||\r\n"
                          "\r\n"
                          "water||vti||seenchna||\r\n"
                          "watery\r\n";
}

void tst_HeadwordIndex::linesOf_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("every line of a headword, letter case aside") << "WATER" << QList<int> { 2, 4 };
    QTest::newRow("a phrase") << "a few" << QList<int> { 1 };
    QTest::newRow("a line without fields") << "watery" << QList<int> { 5 };
    QTest::newRow("whole headwords only") << "wat" << QList<int> {};
    QTest::newRow("an empty line is no headword") << "" << QList<int> {};
}

void tst_HeadwordIndex::linesOf()
{
    QFETCH(QString, word);
    QFETCH(QList<int>, lines);
    const DictionaryLines dictionary(kLines);
    const HeadwordIndex index(dictionary);
    QCOMPARE(index.linesOf(word), lines);
    QCOMPARE(index.contains(word), !lines.isEmpty());
}

void tst_HeadwordIndex::wordsOnceInFileOrder()
{
    const DictionaryLines dictionary(kLines);
    QCOMPARE(HeadwordIndex(dictionary).words(), (QStringList { "a", "a few", "water", "watery" }));
}

QTEST_APPLESS_MAIN(tst_HeadwordIndex)
#include "tst_headwordindex.moc"
