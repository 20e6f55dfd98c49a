#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryLookup.h"
#include "doubles/FakeDictionaryView.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void fileFarLargerThanADictionaryIsRefused_data();
    void fileFarLargerThanADictionaryIsRefused();
    void hugeLinesAreListedButShownCut();

private:
    QTemporaryDir m_dir;
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
    QCOMPARE(texts(DictionaryLines("a\r\r\nb")), QStringList({ "a", "", "b" }));
    QCOMPARE(texts(DictionaryLines("\n\r\r\n")), QStringList({ "", "", "" }));
    QCOMPARE(texts(DictionaryLines("x")), QStringList({ "x" }));
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
    // Nobody writes to the pipe: a load that opened it blocking would wait for ever.
    const QString fifo = m_dir.filePath("fifo.dic");
    QFile::remove(fifo);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QTest::newRow("a fifo") << fifo << ErrorNumber::PathFileAccess;
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

void tst_DictionaryFile::fileFarLargerThanADictionaryIsRefused_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("one byte over the limit") << DictionaryFile::MaxFileSize + 1;
    QTest::newRow("200 MB") << qint64(200) * 1000 * 1000;
}

void tst_DictionaryFile::fileFarLargerThanADictionaryIsRefused()
{
    QFETCH(qint64, size);
    // A sparse file: as large as it says, without taking the disk space.
    QFile f(m_dir.filePath("huge.dic"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(f.resize(size));
    f.close();

    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    try {
        lookup.LoadDictionary(f.fileName());
        QFAIL("a file larger than the limit was loaded");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::PathFileAccess);
        QCOMPARE(e.description(),
            "Cannot read the dictionary file \"" + f.fileName()
                + "\": it is larger than 64 MiB, far more than a dictionary.");
    }
    QVERIFY(view.items.isEmpty());

    // At the limit it is a dictionary again, if an odd one: empty lines.
    QVERIFY(f.resize(DictionaryFile::MaxFileSize));
    QCOMPARE(DictionaryFile::readLines(f.fileName()).size(), 1);
}

void tst_DictionaryFile::hugeLinesAreListedButShownCut()
{
    const QByteArray mega(1 << 20, 'a');
    QFile f(m_dir.filePath("long-lines.dic"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("first||n||pahla||one\r\n");
    f.write(mega + "||n||" + mega + "||" + mega + "\r\n");
    f.write("last||n||aakhiri||end\r\n");
    f.close();

    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    lookup.LoadDictionary(f.fileName());
    QCOMPARE(view.items.size(), 3);
    QCOMPARE(view.items.at(2), QString("Last"));
    // Kept in the list, but only as much as a person can read.
    QCOMPARE(view.items.at(1).size(), 4096);
    QVERIFY(view.items.at(1).startsWith("Aaaa"));
    QVERIFY(view.items.at(1).endsWith(QChar(0x2026)));

    view.selected = 1;
    lookup.List1_Click();
    QCOMPARE(view.meaning.size(), 4096);
    QVERIFY(view.meaning.endsWith(QChar(0x2026)));
    QCOMPARE(view.example.size(), 4096);
    QCOMPARE(view.wordType, QString("Noun"));
    // Ordinary lines are shown whole.
    view.selected = 2;
    lookup.List1_Click();
    QCOMPARE(view.meaning, QString("Aakhiri"));
    QCOMPARE(view.example, QString("end"));
}

QTEST_APPLESS_MAIN(tst_DictionaryFile)
#include "tst_dictionaryfile.moc"
