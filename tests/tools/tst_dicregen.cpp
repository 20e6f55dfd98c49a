// velmora-dicbuild rebuilds data/Complete.dic byte for byte from the Debian
// packages dict-freedict-eng-hin and wordnet-base; skipped when they are not
// installed.

#include "ToolsTestSupport.h"

#include "tools/DictionaryBuilder.h"
#include "tools/WordFormsBuilder.h"

#include <QFile>
#include <QTest>

using velmora::dicbuild::buildDictionary;
using velmora::dicbuild::BuildReport;
using velmora::dicbuild::BuildSources;

class tst_DicRegen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rebuildsTheCommittedFileByteForByte();
    void buildsTheSameBytesTwice();
    void rebuildsTheCommittedWordFormsByteForByte();
};

static bool sourcesInstalled(const BuildSources &s)
{
    return QFile::exists(QString::fromStdString(s.indexPath))
        && QFile::exists(QString::fromStdString(s.dictPath))
        && QFile::exists(QString::fromStdString(s.wordnetDir + "/cntlist.rev"));
}

static BuildSources repositorySources()
{
    BuildSources sources;
    sources.overlayPath = (toolstest::sourceDir() + u"/data/everyday-overlay.tsv"_qs).toStdString();
    return sources;
}

void tst_DicRegen::rebuildsTheCommittedFileByteForByte()
{
    const BuildSources sources = repositorySources();
    if (!sourcesInstalled(sources))
        QSKIP("dict-freedict-eng-hin or wordnet-base is not installed (apt-get install dict-freedict-eng-hin "
              "wordnet-base): cannot regenerate data/Complete.dic");
    BuildReport report;
    const std::string built = buildDictionary(sources, &report);
    const QByteArray committed = toolstest::readSourceFile(u"data/Complete.dic"_qs);
    QVERIFY2(!committed.isEmpty(), "data/Complete.dic is missing");
    const QByteArray rebuilt = QByteArray::fromStdString(built);
    if (rebuilt != committed) {
        qsizetype at = 0;
        while (at < rebuilt.size() && at < committed.size() && rebuilt.at(at) == committed.at(at))
            ++at;
        const qsizetype lineStart = committed.lastIndexOf('\n', at) + 1;
        QFAIL(qPrintable(
            u"the rebuilt file differs from data/Complete.dic at byte %1 (sizes %2 and %3):\n"
            "committed: %4\nrebuilt:   %5\nRun: cmake --build build --target rebuild-dictionary"_qs.arg(at)
                .arg(committed.size())
                .arg(rebuilt.size())
                .arg(QString::fromLatin1(committed.mid(lineStart, 160)),
                    QString::fromLatin1(rebuilt.mid(lineStart, 160)))));
    }
    QCOMPARE(report.letters.size(), 25u);
    // Long a written "aa" where the light spelling would make two words
    // one (maarna, marna): what is left are words apart only in retroflex
    // letters, which everyday Roman Hindi does not tell apart.
    qInfo("Roman forms of the listed meanings shared by two Hindi words: %d, %d beyond retroflex pairs; "
          "overlay lines applied %d, stale %d; examples from WordNet %d",
        report.collidingSpellings, report.collidingBeyondRetroflex, report.overlayChanged,
        static_cast<int>(report.staleOverlayLines.size()), report.examplesFromWordNet);
    // Left beyond them: कि and की (both ki), माँ and मान (maan), ऑफ and ओफ
    // (oph), रटना and रत्न (ratna).
    QVERIFY(report.collidingBeyondRetroflex <= 4);
    QVERIFY(report.collidingSpellings <= 48);
    QVERIFY(report.overlayChanged >= 500);
    QVERIFY2(
        report.staleOverlayLines.empty(), "an overlay line changes nothing: see velmora-dicbuild's output");
}

void tst_DicRegen::buildsTheSameBytesTwice()
{
    const BuildSources sources = repositorySources();
    if (!sourcesInstalled(sources))
        QSKIP("dict-freedict-eng-hin or wordnet-base is not installed: nothing to build");
    QVERIFY(buildDictionary(sources) == buildDictionary(sources));
}

// data/wordforms.txt comes from WordNet's exception lists and the committed
// Complete.dic; a changed dictionary needs new word forms too.
void tst_DicRegen::rebuildsTheCommittedWordFormsByteForByte()
{
    const BuildSources sources;
    if (!QFile::exists(QString::fromStdString(sources.wordnetDir + "/verb.exc")))
        QSKIP("wordnet-base is not installed: cannot regenerate data/wordforms.txt");
    const QByteArray committed = toolstest::readSourceFile(u"data/wordforms.txt"_qs);
    QVERIFY2(!committed.isEmpty(), "data/wordforms.txt is missing");
    const QByteArray rebuilt = QByteArray::fromStdString(velmora::dicbuild::buildWordForms(
        sources.wordnetDir, (toolstest::sourceDir() + u"/data/Complete.dic"_qs).toStdString()));
    QVERIFY2(rebuilt == committed,
        "the rebuilt word forms differ from data/wordforms.txt. Run: cmake --build build --target "
        "rebuild-dictionary");
}

QTEST_GUILESS_MAIN(tst_DicRegen)
#include "tst_dicregen.moc"
