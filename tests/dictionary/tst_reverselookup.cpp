#include "dictionary/ReverseLookup.h"

#include <QTest>

using namespace velmora;

namespace {
// A small dictionary in the file's own format.
const QByteArray kLines = "bank||n||kinara; jal ka kinara||The river bank.\r\n"
                          "flower||n||phool||A red flower.\r\n"
                          "juice||n||ras, phal ka ras||Fresh juice.\r\n"
                          "rain||n||varsha, baarish ka paani||Heavy rain.\r\n"
                          "river||n||nadi||\r\n"
                          "water||n||pani, jal||Water is life.\r\n"
                          "panic||n||ghabrahat||Do not panic.\r\n"
                          "short||a\r\n"
                          "sea||n||samudra; khaara paani||The sea.\r\n";
} // namespace

class tst_ReverseLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void finds_data();
    void finds();
    void stopsAtTheLimit();
};

void tst_ReverseLookup::finds_data()
{
    QTest::addColumn<QString>("hindi");
    QTest::addColumn<QList<int>>("lines");
    // Lines: 0 bank, 1 flower, 2 juice, 3 rain, 4 river, 5 water, 6 panic, 7 short, 8 sea.
    QTest::newRow("whole sense first, then within a sense") << "pani" << QList<int> { 5, 3, 8 };
    QTest::newRow("spelling variant gives the same answer") << "paani" << QList<int> { 5, 3, 8 };
    QTest::newRow("letter case aside") << "PANI" << QList<int> { 5, 3, 8 };
    QTest::newRow("whole words only: pan finds nothing") << "pan" << QList<int> {};
    QTest::newRow("ph and oo folded") << "ful" << QList<int> { 1 };
    QTest::newRow("two words in a row") << "phal ka" << QList<int> { 2 };
    QTest::newRow("two words out of order") << "ka phal" << QList<int> {};
    QTest::newRow("words never match across senses") << "jal kinara" << QList<int> {};
    QTest::newRow("a word in two senses of one entry counts once") << "kinara" << QList<int> { 0 };
    QTest::newRow("the headword is not the meaning") << "water" << QList<int> {};
    QTest::newRow("the example is not the meaning") << "fresh" << QList<int> {};
    QTest::newRow("no letters") << " ,; " << QList<int> {};
    QTest::newRow("empty") << "" << QList<int> {};
}

void tst_ReverseLookup::finds()
{
    QFETCH(QString, hindi);
    QFETCH(QList<int>, lines);
    const DictionaryLines dictionary(kLines);
    QCOMPARE(ReverseLookup(dictionary).find(hindi), lines);
}

void tst_ReverseLookup::stopsAtTheLimit()
{
    QByteArray many;
    for (int i = 0; i < 30; ++i)
        many += "word" + QByteArray::number(i) + "||n||" + (i % 2 ? "kuchh aur pani" : "pani") + "||\r\n";
    const DictionaryLines dictionary(many);
    const ReverseLookup reverse(dictionary);
    const QList<int> found = reverse.find(QStringLiteral("pani"));
    QCOMPARE(found.size(), 20);
    // All 15 whole-sense entries come before any other.
    for (int i = 0; i < 15; ++i)
        QCOMPARE(found.at(i), 2 * i);
    QCOMPARE(found.at(15), 1);
    QCOMPARE(reverse.find(QStringLiteral("pani"), 3), (QList<int> { 0, 2, 4 }));
    QCOMPARE(reverse.find(QStringLiteral("pani"), 0), QList<int> {});
}

QTEST_APPLESS_MAIN(tst_ReverseLookup)
#include "tst_reverselookup.moc"
