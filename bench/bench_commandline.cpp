// What one terminal answer costs: reading the dictionary and answering, as
// velmora --lookup/--hindi does it, and the whole program run from start to
// exit. Run: build/bin/bench_commandline [-iterations n]
#include "app/WordAnswers.h"

#include <QProcess>
#include <QTest>
#include <QTextStream>

using namespace velmora;
using namespace Qt::StringLiterals;

class bench_CommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answer_data();
    void answer();
    void wholeProgram_data();
    void wholeProgram();
};

void bench_CommandLine::answer_data()
{
    QTest::addColumn<bool>("hindi");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("found");
    QTest::newRow("lookup: headword") << false << u"water"_s << true;
    QTest::newRow("lookup: inflected form") << false << u"went"_s << true;
    QTest::newRow("lookup: not there, nearest words") << false << u"watr"_s << false;
    QTest::newRow("hindi: pani") << true << u"paani"_s << true;
    QTest::newRow("hindi: nothing") << true << u"zzqqxx"_s << false;
}

void bench_CommandLine::answer()
{
    QFETCH(bool, hindi);
    QFETCH(QString, word);
    QFETCH(bool, found);
    QString outText;
    QString errText;
    QBENCHMARK
    {
        outText.clear();
        errText.clear();
        QTextStream out(&outText);
        QTextStream err(&errText);
        const WordAnswers answers(WordAnswers::defaultFolder());
        QCOMPARE(hindi ? answers.hindi(word, out, err) : answers.lookup(word, out, err), found);
    }
}

void bench_CommandLine::wholeProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--version") << QStringList { u"--version"_s };
    QTest::newRow("--lookup went") << QStringList { u"--lookup"_s, u"went"_s };
    QTest::newRow("--hindi paani") << QStringList { u"--hindi"_s, u"paani"_s };
}

void bench_CommandLine::wholeProgram()
{
    QFETCH(QStringList, arguments);
    QBENCHMARK
    {
        QProcess process;
        process.start(QStringLiteral(VELMORA_PROGRAM), arguments);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
    }
}

QTEST_GUILESS_MAIN(bench_CommandLine)
#include "bench_commandline.moc"
