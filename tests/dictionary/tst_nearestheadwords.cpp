#include "dictionary/NearestHeadwords.h"

#include <QTest>

using namespace velmora;

class tst_NearestHeadwords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void distance_data();
    void distance();
    void find_data();
    void find();
};

void tst_NearestHeadwords::distance_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("expected");
    QTest::newRow("same") << "water"
                          << "water" << 3 << 0;
    QTest::newRow("one substitution") << "watar"
                                      << "water" << 3 << 1;
    QTest::newRow("one insertion") << "watter"
                                   << "water" << 3 << 1;
    QTest::newRow("one deletion") << "wter"
                                  << "water" << 3 << 1;
    QTest::newRow("swap of neighbours is one edit") << "wtaer"
                                                    << "water" << 3 << 1;
    QTest::newRow("two edits") << "wotar"
                               << "water" << 3 << 2;
    QTest::newRow("empty against word") << ""
                                        << "abc" << 5 << 3;
    QTest::newRow("beyond the limit") << "zzqqxx"
                                      << "water" << 2 << 3;
    QTest::newRow("length alone beyond the limit") << "a"
                                                   << "abcdef" << 2 << 3;
}

void tst_NearestHeadwords::distance()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, limit);
    QFETCH(int, expected);
    QCOMPARE(NearestHeadwords::distance(a, b, limit), expected);
    QCOMPARE(NearestHeadwords::distance(b, a, limit), expected);
}

void tst_NearestHeadwords::find_data()
{
    const QStringList words { "wafer", "water", "waiter", "later", "watery", "wall", "what", "wither", "bat",
        "cat" };
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("nearest");
    QTest::newRow("closest first, ties in list order")
        << words << "watre" << 5 << QStringList { "water", "wafer", "waiter", "later", "watery" };
    QTest::newRow("at most count") << words << "watre" << 2 << QStringList { "water", "wafer" };
    QTest::newRow("letter case aside")
        << words << "WATEER" << 5 << QStringList { "water", "wafer", "waiter", "later", "watery" };
    QTest::newRow("short words allow one edit only") << words << "watr" << 5 << QStringList { "water" };
    QTest::newRow("short words allow one edit") << words << "rat" << 5 << QStringList { "bat", "cat" };
    QTest::newRow("nothing near") << words << "zzqqxx" << 5 << QStringList {};
    QTest::newRow("no words") << QStringList {} << "water" << 5 << QStringList {};
}

void tst_NearestHeadwords::find()
{
    QFETCH(QStringList, words);
    QFETCH(QString, word);
    QFETCH(int, count);
    QFETCH(QStringList, nearest);
    QCOMPARE(NearestHeadwords::find(words, word, count), nearest);
}

QTEST_APPLESS_MAIN(tst_NearestHeadwords)
#include "tst_nearestheadwords.moc"
