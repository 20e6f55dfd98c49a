#include "base/Error.h"
#include "dictionary/Morphology.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

namespace {
const QByteArray kForms = "# word forms\n"
                          "[suffixes]\n"
                          "noun s\n"
                          "noun ies y\n"
                          "verb es e\n"
                          "verb es\n"
                          "verb ing e\n"
                          "verb ing\n"
                          "adj er\n"
                          "[exceptions]\n"
                          "went go\n"
                          "geese goose\n"
                          "axes ax axis\n"
                          "worse bad badly\n";

// The words of a small dictionary, each with its parts of speech.
const QHash<QString, QStringList> kWords {
    { "go", { "verb" } },
    { "goose", { "noun" } },
    { "axis", { "noun" } },
    { "axe", { "noun", "verb" } },
    { "bad", { "adj" } },
    { "berry", { "noun" } },
    { "hope", { "verb" } },
    { "hop", { "verb" } },
    { "box", { "noun", "verb" } },
    { "tall", { "adj" } },
    { "sing", { "verb" } },
};

bool isBase(const QString &base, const QString &partOfSpeech)
{
    const auto it = kWords.find(base);
    return it != kWords.end() && (partOfSpeech.isEmpty() || it->contains(partOfSpeech));
}
} // namespace

class tst_Morphology : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void baseForms_data();
    void baseForms();
    void skipsLinesOutsideTheSections();
    void loadReportsAMissingFile();
    void committedFileResolvesEverydayForms_data();
    void committedFileResolvesEverydayForms();
};

void tst_Morphology::baseForms_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("bases");
    QTest::newRow("exception") << "went" << QStringList { "go" };
    QTest::newRow("exception in any letter case") << "Geese" << QStringList { "goose" };
    QTest::newRow("exception keeps only dictionary words") << "axes" << QStringList { "axis", "axe" };
    QTest::newRow("exception base must be a word") << "worse" << QStringList { "bad" };
    QTest::newRow("plural ies") << "berries" << QStringList { "berry" };
    QTest::newRow("verb ing to e first, both kept") << "hoping" << QStringList { "hope", "hop" };
    QTest::newRow("verb es") << "boxes" << QStringList { "box" };
    QTest::newRow("rule needs the part of speech") << "taller" << QStringList { "tall" };
    QTest::newRow("noun rule does not give a verb") << "sings" << QStringList {};
    QTest::newRow("verb rule gives a verb") << "singing" << QStringList { "sing" };
    QTest::newRow("nothing left after the ending") << "s" << QStringList {};
    QTest::newRow("unknown word") << "zzqqxx" << QStringList {};
    QTest::newRow("a base form gives nothing") << "go" << QStringList {};
}

void tst_Morphology::baseForms()
{
    QFETCH(QString, word);
    QFETCH(QStringList, bases);
    const Morphology forms(kForms);
    QCOMPARE(forms.baseForms(word, isBase), bases);
}

void tst_Morphology::skipsLinesOutsideTheSections()
{
    const Morphology forms("went go\n"
                           "[suffixes]\n"
                           "noun\n"
                           "noun a b c\n"
                           "[other]\n"
                           "verb ing\n"
                           "[exceptions]\r\n"
                           "geese\n"
                           "children child\r\n");
    QCOMPARE(forms.suffixRuleCount(), 0);
    QCOMPARE(forms.exceptionCount(), 1);
    QCOMPARE(forms.baseForms("children", [](const QString &, const QString &) { return true; }),
        QStringList { "child" });
    QCOMPARE(forms.baseForms("went", [](const QString &, const QString &) { return true; }), QStringList {});
}

void tst_Morphology::loadReportsAMissingFile()
{
    QTemporaryDir dir;
    try {
        Morphology::load(dir.filePath("wordforms.txt"));
        QFAIL("a missing file loaded");
    } catch (const Error &error) {
        QVERIFY2(error.description().contains("wordforms.txt"), qPrintable(error.description()));
    }
}

void tst_Morphology::committedFileResolvesEverydayForms_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("base");
    QTest::newRow("went") << "went"
                          << "go";
    QTest::newRow("children") << "children"
                              << "child";
    QTest::newRow("ran") << "ran"
                         << "run";
    QTest::newRow("teeth") << "teeth"
                           << "tooth";
    QTest::newRow("mice") << "mice"
                          << "mouse";
    QTest::newRow("regular plural") << "tables"
                                    << "table";
}

void tst_Morphology::committedFileResolvesEverydayForms()
{
    QFETCH(QString, word);
    QFETCH(QString, base);
    QFile file(qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/data/wordforms.txt");
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const Morphology forms(file.readAll());
    QVERIFY(forms.exceptionCount() > 500);
    QVERIFY(forms.suffixRuleCount() > 10);
    // Only the expected base is a word here: this checks the file, not the dictionary.
    const QStringList bases
        = forms.baseForms(word, [&](const QString &b, const QString &) { return b == base; });
    QVERIFY2(bases.contains(base), qPrintable(bases.join(',')));
}

QTEST_APPLESS_MAIN(tst_Morphology)
#include "tst_morphology.moc"
