#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryLookup.h"
#include "doubles/FakeDictionaryView.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

static QString fixture(const char *name)
{
    return QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR")) + "/tests/dictionary/data/" + name;
}

class tst_DictionaryFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsOneItemPerLine_data();
    void listsOneItemPerLine();
    void crlfLinesHoldNoLineEndCharacters();
    void loadFailuresNameTheFile_data();
    void loadFailuresNameTheFile();
    void fortyThousandLinesAreAllListed();
};

void tst_DictionaryFile::listsOneItemPerLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("items");
    const QStringList three { "About", "Book", "Cat" };
    QTest::newRow("crlf three lines") << fixture("crlf-three-lines.dic") << three;
    QTest::newRow("crlf missing last line end keeps the last line")
        << fixture("crlf-missing-last-line.dic") << three;
    QTest::newRow("lf only keeps every first letter") << fixture("lf-only.dic") << three;
    QTest::newRow("cr only keeps every first letter") << fixture("cr-only.dic") << three;
    QTest::newRow("empty line is an empty item at its position")
        << fixture("empty-line.dic") << QStringList { "About", "", "Cat" };
    QTest::newRow("empty first line") << fixture("empty-first-line.dic") << QStringList { "", "Book" };
    QTest::newRow("single line without end, proper-cased")
        << fixture("single-line-no-end.dic") << QStringList { "About" };
}

void tst_DictionaryFile::listsOneItemPerLine()
{
    QFETCH(QString, file);
    QFETCH(QStringList, items);
    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    lookup.LoadDictionary(file);
    QCOMPARE(view.items, items);
    QCOMPARE(lookup.lines().size(), items.size());
}

void tst_DictionaryFile::crlfLinesHoldNoLineEndCharacters()
{
    auto texts = [](const DictionaryLines &lines) {
        QStringList out;
        for (int i = 0; i < lines.size(); ++i)
            out << lines.at(i);
        return out;
    };
    QCOMPARE(texts(DictionaryLines("a||n\r\nb||v\r\n")), QStringList({ "a||n", "b||v" }));
    // Mixed line ends in one file, as an editor might leave them.
    QCOMPARE(texts(DictionaryLines("a\nb\r\nc\rd")), QStringList({ "a", "b", "c", "d" }));
    // One character per byte: bytes above 127 are Latin-1, never dropped.
    QCOMPARE(texts(DictionaryLines("caf\xe9||n")), QStringList({ QString::fromUtf8("caf\u00e9||n") }));
    // A line without "||" is listed whole.
    FakeDictionaryView view;
    QTemporaryDir dir;
    QFile f(dir.filePath("x.dic"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("just a headword\r\nice cream||n\r\n");
    f.close();
    DictionaryLookup lookup(view);
    lookup.LoadDictionary(f.fileName());
    QCOMPARE(view.items, QStringList({ "Just A Headword", "Ice Cream" }));
}

void tst_DictionaryFile::loadFailuresNameTheFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint32>("number");
    QTemporaryDir dir;
    QTest::newRow("missing") << fixture("no-such-file.dic") << ErrorNumber::FileNotFound;
    QTest::newRow("empty") << fixture("empty.dic") << ErrorNumber::InputPastEnd;
    QTest::newRow("a folder") << QString::fromLocal8Bit(qgetenv("VELMORA_SOURCE_DIR"))
            + "/tests/dictionary/data"
                              << ErrorNumber::PathFileAccess;
}

void tst_DictionaryFile::loadFailuresNameTheFile()
{
    QFETCH(QString, path);
    QFETCH(qint32, number);
    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    try {
        lookup.LoadDictionary(path);
        QFAIL("loading should have failed");
    } catch (const Error &e) {
        QCOMPARE(e.number(), number);
        QVERIFY2(e.description().contains(path), qPrintable(e.description()));
    }
    QVERIFY(view.items.isEmpty());
}

void tst_DictionaryFile::fortyThousandLinesAreAllListed()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("big.dic"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 40000; ++i)
        f.write(QByteArray("w") + QByteArray::number(i) + "||n||arth||example\r\n");
    f.close();

    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    lookup.LoadDictionary(f.fileName());
    QCOMPARE(view.items.size(), 40000);
    QCOMPARE(view.items.at(39999), QString("W39999"));
    view.selected = 39999;
    lookup.List1_Click();
    QCOMPARE(view.meaning, QString("Arth"));
    QCOMPARE(view.copyCaption, QString("Copy \"W39999\""));
}

QTEST_APPLESS_MAIN(tst_DictionaryFile)
#include "tst_dictionaryfile.moc"
