#include "TestCharacterFile.h"
#include "character/CharacterFolder.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using velmora::Error;
using velmora::agent::CharacterFolder;
namespace ErrorNumber = velmora::ErrorNumber;

// Layout of every row: <tmp>/Chars is the character folder, holding
// good.vchar, a subfolder sub/ with inner.vchar, and links; <tmp>/secret.vchar
// lies outside it.
class tst_CharacterFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void resolvesBareNamesInsideOnly_data();
    void resolvesBareNamesInsideOnly();
    void missingFolderIsFileNotFound();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_chars;
};

void tst_CharacterFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_chars = m_dir->filePath("Chars");
    QVERIFY(QDir().mkpath(m_chars + "/sub"));
    QVERIFY(writeFile(m_chars + "/good.vchar", "x"));
    QVERIFY(writeFile(m_chars + "/sub/inner.vchar", "x"));
    QVERIFY(writeFile(m_dir->filePath("secret.vchar"), "x"));
    QVERIFY(QFile::link(m_dir->filePath("secret.vchar"), m_chars + "/escape.vchar"));
    QVERIFY(QFile::link("../secret.vchar", m_chars + "/relative-escape.vchar"));
    QVERIFY(QFile::link(m_dir->path(), m_chars + "/up"));
    QVERIFY(QFile::link(m_chars + "/good.vchar", m_chars + "/alias.vchar"));
    QVERIFY(QFile::link(m_chars + "/gone.vchar", m_chars + "/dangling.vchar"));
}

void tst_CharacterFolder::resolvesBareNamesInsideOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resolvesTo"); // empty: refused with FileNotFound

    QTest::newRow("bare name") << "good.vchar"
                               << "good.vchar";
    QTest::newRow("link to a file inside") << "alias.vchar"
                                           << "good.vchar";
    QTest::newRow("missing file") << "absent.vchar"
                                  << "";
    QTest::newRow("empty name") << ""
                                << "";
    QTest::newRow("subfolder path") << "sub/inner.vchar"
                                    << "";
    QTest::newRow("backslash path") << "sub\\inner.vchar"
                                    << "";
    QTest::newRow("parent folder") << ".."
                                   << "";
    QTest::newRow("dot dot in name") << "..secret.vchar"
                                     << "";
    QTest::newRow("absolute path") << "/etc/passwd"
                                   << "";
    QTest::newRow("link escaping by absolute path") << "escape.vchar"
                                                    << "";
    QTest::newRow("link escaping by relative path") << "relative-escape.vchar"
                                                    << "";
    QTest::newRow("link to the folder above") << "up"
                                              << "";
    QTest::newRow("dangling link") << "dangling.vchar"
                                   << "";
    QTest::newRow("the folder itself") << "."
                                       << "";
}

void tst_CharacterFolder::resolvesBareNamesInsideOnly()
{
    QFETCH(QString, name);
    QFETCH(QString, resolvesTo);
    const CharacterFolder folder(m_chars);
    if (!resolvesTo.isEmpty()) {
        QCOMPARE(folder.resolve(name), QFileInfo(m_chars + "/" + resolvesTo).canonicalFilePath());
        return;
    }
    try {
        const QString path = folder.resolve(name);
        QFAIL(qPrintable("resolved to " + path));
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::FileNotFound);
        QVERIFY(!e.description().isEmpty());
    }
}

void tst_CharacterFolder::missingFolderIsFileNotFound()
{
    const CharacterFolder folder(m_dir->filePath("NoSuchFolder/Chars"));
    QVERIFY_THROWS_EXCEPTION(Error, folder.resolve("good.vchar"));
    try {
        folder.resolve("good.vchar");
    } catch (const Error &e) {
        QCOMPARE(e.number(), ErrorNumber::FileNotFound);
        QVERIFY(e.description().contains("does not exist"));
    }
}

QTEST_APPLESS_MAIN(tst_CharacterFolder)
#include "tst_characterfolder.moc"
