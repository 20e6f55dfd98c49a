#include "dictionary/DictionaryLookup.h"
#include "doubles/FakeDictionaryView.h"

#include <QTest>

using namespace velmora;

// A list laid out like the bundled one: filler items, with test words placed
// at chosen positions around the letter boundaries.
static FakeDictionaryView *makeView(int size = 15500)
{
    auto *view = new FakeDictionaryView;
    view->items = QStringList(size, QStringLiteral("-"));
    auto put = [&](int pos, const QString &word) { view->items[pos] = word; };
    put(0, "A");
    put(1, "Aback");
    put(2, "Abandon");
    put(3, "Abandoned");
    put(946, "Azure"); // A's RangeEnd, also inside B's range
    put(947, "Azimuth"); // past A's range
    put(1000, "Bank");
    put(1001, "Bank Account");
    put(11699, "Sabbath"); // S's RangeStart
    put(13482, "Syzygy"); // S's RangeEnd
    put(14000, "Xylophone"); // X words are never found outside position 0
    if (size > 15489)
        put(15489, "Zoo");
    return view;
}

class tst_LetterSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typingSelectsFirstMatchInRange_data();
    void typingSelectsFirstMatchInRange();
    void xSearchesPositionZeroOnly();
    void zRangePastTheEndOfTheList();
    void selectionRunsTheClickHandlerEveryTime();
};

void tst_LetterSearch::typingSelectsFirstMatchInRange_data()
{
    QTest::addColumn<QStringList>("typed"); // successive texts of the search box
    QTest::addColumn<int>("selected"); // -1: nothing selected

    QTest::newRow("one letter") << QStringList { "a" } << 0;
    QTest::newRow("prefix picks lowest position") << QStringList { "a", "ab" } << 1;
    QTest::newRow("whole word") << QStringList { "abandoned" } << 3;
    QTest::newRow("upper case") << QStringList { "ABANDON" } << 2;
    QTest::newRow("mixed case") << QStringList { "aBaNdOn" } << 2;
    QTest::newRow("phrase with space") << QStringList { "bank a" } << 1001;
    QTest::newRow("item at range end is found") << QStringList { "azu" } << 946;
    QTest::newRow("item past range end is not found") << QStringList { "azi" } << -1;
    QTest::newRow("S range start") << QStringList { "sab" } << 11699;
    QTest::newRow("S range end") << QStringList { "syz" } << 13482;
    QTest::newRow("longer than every item changes nothing") << QStringList { "a", "abandonedness" } << 0;
    QTest::newRow("no match keeps previous selection") << QStringList { "bank", "bq" } << 1000;
    QTest::newRow("deleting all text keeps selection") << QStringList { "aban", "" } << 2;
    QTest::newRow("digit after B scans the B range") << QStringList { "b", "1" } << 1000;
    QTest::newRow("digit in a fresh run scans position 0 alone") << QStringList { "1" } << -1;
    QTest::newRow("non-ASCII first letter keeps the last range") << QStringList { "b", "\u00e9" } << 1000;
}

void tst_LetterSearch::typingSelectsFirstMatchInRange()
{
    QFETCH(QStringList, typed);
    QFETCH(int, selected);
    std::unique_ptr<FakeDictionaryView> view(makeView());
    DictionaryLookup lookup(*view);
    for (const QString &text : typed) {
        view->search = text;
        lookup.Text1_Change();
    }
    QCOMPARE(view->selected, selected);
}

void tst_LetterSearch::xSearchesPositionZeroOnly()
{
    std::unique_ptr<FakeDictionaryView> view(makeView());
    DictionaryLookup lookup(*view);
    view->search = "xy";
    lookup.Text1_Change();
    QCOMPARE(lookup.rangeStart(), 0);
    QCOMPARE(lookup.rangeEnd(), 0);
    QCOMPARE(view->selected, -1);

    view->items[0] = "Xenon";
    view->search = "xe";
    lookup.Text1_Change();
    QCOMPARE(view->selected, 0);
}

void tst_LetterSearch::zRangePastTheEndOfTheList()
{
    std::unique_ptr<FakeDictionaryView> view(makeView(15490));
    DictionaryLookup lookup(*view);
    view->search = "zoo";
    lookup.Text1_Change();
    QCOMPARE(view->selected, 15489);
    view->search = "zz";
    lookup.Text1_Change();
    QCOMPARE(view->selected, 15489);
}

void tst_LetterSearch::selectionRunsTheClickHandlerEveryTime()
{
    std::unique_ptr<FakeDictionaryView> view(makeView());
    view->items[2] = "Abandon";
    DictionaryLookup lookup(*view);
    int clicks = 0;
    view->onSelect = [&] { ++clicks; };
    for (const char *text : { "a", "ab", "aba", "abandon" }) {
        view->search = text;
        lookup.Text1_Change();
    }
    QCOMPARE(view->selected, 2);
    QCOMPARE(clicks, 4);
}

QTEST_APPLESS_MAIN(tst_LetterSearch)
#include "tst_lettersearch.moc"
