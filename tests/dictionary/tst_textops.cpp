#include "dictionary/TextOps.h"

#include <QTest>

using namespace velmora;

class tst_TextOps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void properCase_data();
    void properCase();
};

void tst_TextOps::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("four fields") << "book||n||kitaab||A book."
                                 << QStringList { "book", "n", "kitaab", "A book." };
    QTest::newRow("empty text gives no piece") << "" << QStringList {};
    QTest::newRow("no separator") << "book" << QStringList { "book" };
    QTest::newRow("empty pieces kept") << "||n||" << QStringList { "", "n", "" };
    QTest::newRow("three bars do not overlap") << "a|||b" << QStringList { "a", "|b" };
    QTest::newRow("single bar is text") << "a|b||c" << QStringList { "a|b", "c" };
}

void tst_TextOps::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(text::split(text, "||"), pieces);
}

void tst_TextOps::properCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mixed case word") << "aBOUT"
                                     << "About";
    QTest::newRow("two words") << "ICE cream"
                               << "Ice Cream";
    QTest::newRow("hyphen does not start a word") << "well-being"
                                                  << "Well-being";
    QTest::newRow("apostrophe does not start a word") << "o'clock"
                                                      << "O'clock";
    QTest::newRow("full stop does not start a word") << "a.m. time"
                                                     << "A.m. Time";
    QTest::newRow("tab starts a word") << "a\tb"
                                       << "A\tB";
    QTest::newRow("line feed starts a word") << "\nbook"
                                             << "\nBook";
    QTest::newRow("vertical tab and form feed") << "a\vb\fc"
                                                << "A\vB\fC";
    QTest::newRow("carriage return starts a word") << "a\rb"
                                                   << "A\rB";
    QTest::newRow("NUL starts a word") << QString("a") + QChar(0) + "b" << QString("A") + QChar(0) + "B";
    QTest::newRow("digit does not start a word") << "4wheel drive"
                                                 << "4wheel Drive";
    QTest::newRow("double space") << "chhod  dena"
                                  << "Chhod  Dena";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_TextOps::properCase()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text::properCase(text), expected);
}

QTEST_APPLESS_MAIN(tst_TextOps)
#include "tst_textops.moc"
