#include "base/ErrorBlock.h"
#include "base/ErrorNumbers.h"

#include <QTest>

using velmora::Error;
using velmora::ErrorBlock;
namespace ErrorNumber = velmora::ErrorNumber;

class tst_ErrorBlock : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void skipEachRunsEveryStep();
    void blockResumesForListedNumbersOnly_data();
    void blockResumesForListedNumbersOnly();
    void nonErrorExceptionsPropagate();
    void messageFormatsSignedDecimal_data();
    void messageFormatsSignedDecimal();
};

void tst_ErrorBlock::skipEachRunsEveryStep()
{
    ErrorBlock on = ErrorBlock::skipEach();
    QStringList ran;
    QVERIFY(!on.step([&] {
        ran << "1";
        throw Error(91, QStringLiteral("x"));
    }));
    QVERIFY(on.step([&] { ran << "2"; }));
    QVERIFY(!on.step([&] {
        ran << "3";
        throw Error(424, QStringLiteral("y"));
    }));
    QVERIFY(on.step([&] { ran << "4"; }));
    QCOMPARE(ran, QStringList({ "1", "2", "3", "4" }));
    QVERIFY(!on.ended());
}

void tst_ErrorBlock::blockResumesForListedNumbersOnly_data()
{
    QTest::addColumn<qint32>("failing");
    QTest::addColumn<QStringList>("expectedRun");
    QTest::addColumn<QList<qint32>>("reported");

    QTest::newRow("no failure") << qint32(0) << QStringList({ "1", "2", "3" }) << QList<qint32> {};
    QTest::newRow("listed number resumes")
        << ErrorNumber::CharacterError << QStringList({ "1", "2", "3" }) << QList<qint32> {};
    QTest::newRow("364 resumes") << ErrorNumber::UnloadedWhileShown << QStringList({ "1", "2", "3" })
                                 << QList<qint32> {};
    QTest::newRow("other number ends the handler")
        << ErrorNumber::CharacterNotFound << QStringList({ "1", "2" })
        << QList<qint32> { ErrorNumber::CharacterNotFound };
}

void tst_ErrorBlock::blockResumesForListedNumbersOnly()
{
    QFETCH(qint32, failing);
    QFETCH(QStringList, expectedRun);
    QFETCH(QList<qint32>, reported);

    QList<qint32> seen;
    ErrorBlock on([&](const Error &e) {
        if (e.number() == ErrorNumber::CharacterError || e.number() == ErrorNumber::UnloadedWhileShown)
            return ErrorBlock::Resume;
        seen << e.number();
        return ErrorBlock::EndHandler;
    });
    QStringList ran;
    on.step([&] { ran << "1"; });
    on.step([&] {
        ran << "2";
        if (failing)
            throw Error(failing, QStringLiteral("failed"));
    });
    on.step([&] { ran << "3"; });
    QCOMPARE(ran, expectedRun);
    QCOMPARE(seen, reported);
    QCOMPARE(on.ended(), !reported.isEmpty());
}

void tst_ErrorBlock::nonErrorExceptionsPropagate()
{
    ErrorBlock on = ErrorBlock::skipEach();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, on.step([] { throw std::runtime_error("bug"); }));
}

void tst_ErrorBlock::messageFormatsSignedDecimal_data()
{
    QTest::addColumn<qint32>("number");
    QTest::addColumn<int>("spaces");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hresult one space") << ErrorNumber::CharacterNotFound << 1 << "-2147024893 Not found";
    QTest::newRow("hresult two spaces") << ErrorNumber::CharacterError << 2 << "-2147213309  Not found";
    QTest::newRow("run-time error") << ErrorNumber::ObjectRequired << 1 << "424 Not found";
}

void tst_ErrorBlock::messageFormatsSignedDecimal()
{
    QFETCH(qint32, number);
    QFETCH(int, spaces);
    QFETCH(QString, expected);
    QCOMPARE(Error(number, QStringLiteral("Not found")).message(spaces), expected);
}

QTEST_APPLESS_MAIN(tst_ErrorBlock)
#include "tst_errorblock.moc"
