#include "dictionary/RomanFolding.h"

#include <QTest>

using namespace velmora;

class tst_RomanFolding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void spellingVariantsFoldAlike_data();
    void spellingVariantsFoldAlike();
    void differentWordsStayApart_data();
    void differentWordsStayApart();
    void foldedWords_data();
    void foldedWords();
};

void tst_RomanFolding::spellingVariantsFoldAlike_data()
{
    QTest::addColumn<QString>("one");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("folded");
    QTest::newRow("aa/a") << "paani"
                          << "pani"
                          << "pani";
    QTest::newRow("ee/i") << "neer"
                          << "nir"
                          << "nir";
    QTest::newRow("oo/u") << "phool"
                          << "ful"
                          << "ful";
    QTest::newRow("w/v") << "hawa"
                         << "hava"
                         << "hava";
    QTest::newRow("z/j") << "zameen"
                         << "jamin"
                         << "jamin";
    QTest::newRow("ph/f") << "phal"
                          << "fal"
                          << "fal";
    QTest::newRow("doubled consonant") << "patta"
                                       << "pata"
                                       << "pata";
    QTest::newRow("doubled consonant after ph") << "kaphphi"
                                                << "kafi"
                                                << "kafi";
    QTest::newRow("letter case") << "PAANI"
                                 << "Pani"
                                 << "pani";
    QTest::newRow("ii and uu") << "piina"
                               << "pina"
                               << "pina";
    QTest::newRow("long run of a") << "haaaan"
                                   << "han"
                                   << "han";
    QTest::newRow("ee next to i") << "peei"
                                  << "pi"
                                  << "pi";
}

void tst_RomanFolding::spellingVariantsFoldAlike()
{
    QFETCH(QString, one);
    QFETCH(QString, other);
    QFETCH(QString, folded);
    QCOMPARE(RomanFolding::fold(one), folded);
    QCOMPARE(RomanFolding::fold(other), folded);
}

void tst_RomanFolding::differentWordsStayApart_data()
{
    QTest::addColumn<QString>("one");
    QTest::addColumn<QString>("other");
    QTest::newRow("pani and pana") << "pani"
                                   << "pana";
    QTest::newRow("a single e is not i") << "dena"
                                         << "dina";
    QTest::newRow("a single o is not u") << "kona"
                                         << "kuna";
    QTest::newRow("h alone is not ph") << "hal"
                                       << "fal";
    QTest::newRow("p before h only") << "pahal"
                                     << "fal";
}

void tst_RomanFolding::differentWordsStayApart()
{
    QFETCH(QString, one);
    QFETCH(QString, other);
    QVERIFY(RomanFolding::fold(one) != RomanFolding::fold(other));
}

void tst_RomanFolding::foldedWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("senses and notes")
        << "paani, jal; (sharir ka) drav" << QStringList { "pani", "jal", "sharir", "ka", "drav" };
    QTest::newRow("hyphen and slash cut words")
        << "chhod-dena/tyagna" << QStringList { "chod", "dena", "tyagna" };
    QTest::newRow("nothing but marks") << " ;,-() " << QStringList {};
    QTest::newRow("empty") << "" << QStringList {};
}

void tst_RomanFolding::foldedWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(RomanFolding::foldedWords(text), words);
}

QTEST_APPLESS_MAIN(tst_RomanFolding)
#include "tst_romanfolding.moc"
