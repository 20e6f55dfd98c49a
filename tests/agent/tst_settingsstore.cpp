#include "agent/SettingsStore.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "doubles/FailingSaveFile.h"
#include "doubles/FailureOf.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using velmora::Error;
using velmora::agent::SettingsStore;

namespace {

const QString Default = QStringLiteral("<default>");

QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void setContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every entry below `dir`, hidden ones included, with each file's bytes.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries.insert(QDir(dir).relativeFilePath(it.filePath()),
            it.fileInfo().isDir()         ? QByteArray("<folder>")
                : !it.fileInfo().isFile() ? QByteArray("<special>") // reading a FIFO would wait
                                          : contents(it.filePath()));
    }
    return entries;
}

// The lines of the file that hold an entry or a section, in order.
QList<QByteArray> itemLines(const QString &path)
{
    QList<QByteArray> items;
    for (const QByteArray &line : contents(path).split('\n')) {
        if (!line.isEmpty() && !line.startsWith(';'))
            items << line;
    }
    return items;
}

// Child-process side of the concurrency test: one Velmora window saving.
int writeKeys(const QString &path, const QString &tag, int count)
{
    SettingsStore store(path);
    try {
        for (int i = 0; i < count; ++i)
            store.write("Dic", "Stress", tag + '-' + QString::number(i), "value " + QString::number(i));
    } catch (const Error &e) {
        qWarning("%s", e.what());
        return 2;
    }
    return 0;
}

} // namespace

class tst_SettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void defaultFilePathFollowsXdg_data();
    void defaultFilePathFollowsXdg();
    void readsFile_data();
    void readsFile();
    void namesIgnoreLetterCase_data();
    void namesIgnoreLetterCase();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void writeChangesOnlyItsLine_data();
    void writeChangesOnlyItsLine();
    void everyReadSeesTheLatestWrite();
    void writeCreatesMissingFolders();
    void writeThroughALinkKeepsTheLink();
    void failedWriteThrowsAndChangesNothing_data();
    void failedWriteThrowsAndChangesNothing();
    void failingDiskOrFolderKeepsTheFileAndSaysWhy_data();
    void failingDiskOrFolderKeepsTheFileAndSaysWhy();
    void readOnlyFolderRefusesTheWrite();
    void severalValuesGoInOneReplacement();
    void duplicateKeysAreDroppedInLinearTime();
    void garbledFileReadsAsDefaults_data();
    void garbledFileReadsAsDefaults();
    void twoProcessesWritingAtOnceLoseNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void tst_SettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("settings.ini");
}

void tst_SettingsStore::defaultFilePathFollowsXdg_data()
{
    QTest::addColumn<QString>("xdgConfigHome"); // below the temporary folder; null: unset
    QTest::addColumn<QString>("expectedBelowTemp");

    QTest::newRow("XDG_CONFIG_HOME set") << "/config"
                                         << "/config/velmora/settings.ini";
    QTest::newRow("XDG_CONFIG_HOME unset") << QString() << "/home/.config/velmora/settings.ini";
    QTest::newRow("relative XDG_CONFIG_HOME ignored") << "relative"
                                                      << "/home/.config/velmora/settings.ini";
}

void tst_SettingsStore::defaultFilePathFollowsXdg()
{
    QFETCH(QString, xdgConfigHome);
    QFETCH(QString, expectedBelowTemp);

    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        if (hadXdg)
            qputenv("XDG_CONFIG_HOME", oldXdg);
        else
            qunsetenv("XDG_CONFIG_HOME");
    });
    QVERIFY(QDir(m_dir->path()).mkpath("home"));
    qputenv("HOME", QFile::encodeName(m_dir->filePath("home")));
    if (xdgConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else if (xdgConfigHome.startsWith('/'))
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path() + xdgConfigHome));
    else
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdgConfigHome));

    QCOMPARE(SettingsStore::defaultFilePath(), m_dir->path() + expectedBelowTemp);
    QCOMPARE(SettingsStore().filePath(), m_dir->path() + expectedBelowTemp);
}

void tst_SettingsStore::readsFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no file") << QByteArray() << Default;
    QTest::newRow("empty file") << QByteArray("") << Default;
    QTest::newRow("plain entry") << QByteArray("[Dic/ChID]\nName=Robin\n") << "Robin";
    QTest::newRow("other application") << QByteArray("[Dictionary/ChID]\nName=Robin\n") << Default;
    QTest::newRow("other section") << QByteArray("[Dic/Other]\nName=Robin\n") << Default;
    QTest::newRow("other key only") << QByteArray("[Dic/ChID]\nLIndex=2\n") << Default;
    QTest::newRow("key before any section") << QByteArray("Name=Robin\n[Dic/ChID]\n") << Default;
    QTest::newRow("header not closed") << QByteArray("[Dic/ChID\nName=Robin\n") << Default;
    QTest::newRow("lone bracket ends the section") << QByteArray("[\n[Dic/ChID]\n[\nName=Wren\n") << Default;
    QTest::newRow("header without slash") << QByteArray("[DicChID]\nName=Robin\n") << Default;
    QTest::newRow("commented out") << QByteArray("[Dic/ChID]\n;Name=Robin\n#Name=Robin\n") << Default;
    QTest::newRow("line without equals") << QByteArray("[Dic/ChID]\nName\n") << Default;
    QTest::newRow("empty value is a value") << QByteArray("[Dic/ChID]\nName=\n") << "";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [Dic/ChID]\t \n \tName  =  Robin Hood \t\n") << "Robin Hood";
    QTest::newRow("escaped blanks kept") << QByteArray("[Dic/ChID]\nName=\\ Robin\\ \n") << " Robin ";
    QTest::newRow("equals inside the value") << QByteArray("[Dic/ChID]\nName=a=b\n") << "a=b";
    QTest::newRow("windows line ends") << QByteArray("[Dic/ChID]\r\nName=Robin\r\n") << "Robin";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Dic/ChID]\nName=Robin\n") << "Robin";
    QTest::newRow("no final line break") << QByteArray("[Dic/ChID]\nName=Robin") << "Robin";
    QTest::newRow("first of two entries counts")
        << QByteArray("[Dic/ChID]\nName=First\nNAME=Second\n") << "First";
    QTest::newRow("section in two parts")
        << QByteArray("[Dic/ChID]\nLIndex=1\n[Other/Part]\nName=No\n[dic/chid]\nName=Robin\n") << "Robin";
    QTest::newRow("unknown escape stands for its character")
        << QByteArray("[Dic/ChID]\nName=\\q\\;\n") << "q;";
    QTest::newRow("short \\u escape is literal") << QByteArray("[Dic/ChID]\nName=\\u12G4\n") << "u12G4";
    QTest::newRow("trailing backslash is literal") << QByteArray("[Dic/ChID]\nName=abc\\\n") << "abc\\";
}

void tst_SettingsStore::readsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);

    if (!file.isNull())
        setContents(m_path, file);
    QCOMPARE(SettingsStore(m_path).read("Dic", "ChID", "Name", Default), expected);
}

void tst_SettingsStore::namesIgnoreLetterCase_data()
{
    QTest::addColumn<QStringList>("written"); // application, section, key of the first write
    QTest::addColumn<QStringList>("other"); // the same names spelled another way, or different names
    QTest::addColumn<bool>("same");

    QTest::newRow("ascii, all three parts")
        << QStringList { "Dic", "ChID", "LIndex" } << QStringList { "dIC", "CHID", "lindex" } << true;
    QTest::newRow("ascii, application only")
        << QStringList { "Dic", "ChID", "Name" } << QStringList { "DIC", "ChID", "Name" } << true;
    QTest::newRow("ascii, section only")
        << QStringList { "Dic", "ChID", "Name" } << QStringList { "Dic", "chid", "Name" } << true;
    QTest::newRow("latin-1 letters") << QStringList { "Wörter", "Größe", "Éclair" }
                                     << QStringList { "WÖRTER", "grÖße", "éCLAIR" } << true;
    QTest::newRow("greek final sigma")
        << QStringList { "ΟΔΟΣ", "Λέξη", "Όνομα" } << QStringList { "οδος", "ΛΈΞΗ", "όνομα" } << true;
    QTest::newRow("cyrillic") << QStringList { "Словарь", "Выбор", "Имя" }
                              << QStringList { "СЛОВАРЬ", "выбор", "иМЯ" } << true;
    QTest::newRow("different key") << QStringList { "Dic", "ChID", "Name" }
                                   << QStringList { "Dic", "ChID", "Names" } << false;
    QTest::newRow("different section")
        << QStringList { "Dic", "ChID", "Name" } << QStringList { "Dic", "Ch ID", "Name" } << false;
    QTest::newRow("different application")
        << QStringList { "Dic", "ChID", "Name" } << QStringList { "Di", "ChID", "Name" } << false;
}

void tst_SettingsStore::namesIgnoreLetterCase()
{
    QFETCH(QStringList, written);
    QFETCH(QStringList, other);
    QFETCH(bool, same);

    SettingsStore store(m_path);
    store.write(written[0], written[1], written[2], "first");
    QCOMPARE(store.read(other[0], other[1], other[2], Default), same ? "first" : Default);

    store.write(other[0], other[1], other[2], "second");
    QCOMPARE(store.read(written[0], written[1], written[2], Default), same ? "second" : "first");
    QCOMPARE(store.read(other[0], other[1], other[2], Default), "second");

    const QList<QByteArray> items = itemLines(m_path);
    if (same) {
        // One section and one entry, spelled as the first write spelled them.
        const QByteArray header = ('[' + written[0] + '/' + written[1] + ']').toUtf8();
        const QList<QByteArray> expected { header, (written[2] + "=second").toUtf8() };
        QCOMPARE(items, expected);
    } else {
        QVERIFY2(items.size() >= 3, contents(m_path).constData());
    }
}

void tst_SettingsStore::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("empty") << "";
    QTest::newRow("plain file name") << "Robin.chr";
    QTest::newRow("spaces inside") << "Robin Hood of Sherwood";
    QTest::newRow("spaces at both ends") << "  Robin  ";
    QTest::newRow("only spaces") << "   ";
    QTest::newRow("tabs") << "\tRobin\t";
    QTest::newRow("equals signs") << "=a==b=";
    QTest::newRow("comment markers first") << "; not a comment # nor this";
    QTest::newRow("section header") << "[Dic/ChID]";
    QTest::newRow("line feeds") << "one\ntwo\n\n[Dic/ChID]\nName=evil\n";
    QTest::newRow("carriage returns") << "one\r\ntwo\r";
    QTest::newRow("backslashes") << "C:\\Chars\\robin.chr\\";
    QTest::newRow("escape lookalikes") << "\\n \\t \\u0041 \\\\ \\";
    QTest::newRow("nul and controls") << QString::fromUtf16(u"a\u0000b\u0001c\u001fd\u007f");
    QTest::newRow("devanagari") << "नमस्ते शब्दकोश";
    QTest::newRow("emoji (surrogate pair)") << "😀 🦉";
    QTest::newRow("lone high surrogate") << QString(QChar(0xd83d)) + "x";
    QTest::newRow("lone low surrogate at end") << "x" + QString(QChar(0xdc00));
    QTest::newRow("byte order mark and noncharacters") << QString::fromUtf16(u"\uFEFFa\uFFFE\uFFFF");
    QTest::newRow("no-break spaces at ends") << QString::fromUtf16(u"\u00A0Robin\u00A0");
    QTest::newRow("long") << QString(20000, QChar(u'ह'));
}

void tst_SettingsStore::valuesRoundTrip()
{
    QFETCH(QString, value);

    SettingsStore(m_path).write("Dic", "ChID", "LIndex", "3");
    SettingsStore(m_path).write("Dic", "ChID", "Name", value);
    SettingsStore(m_path).write("Other", "Part", "After", "4");

    const SettingsStore store(m_path);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), value);
    QCOMPARE(store.read("Dic", "ChID", "LIndex", Default), "3");
    QCOMPARE(store.read("Other", "Part", "After", Default), "4");

    // Still one line per entry, so the file stays readable and editable.
    QCOMPARE(itemLines(m_path).size(), 5);
    // Writing the same value again changes nothing.
    const QByteArray before = contents(m_path);
    SettingsStore(m_path).write("dic", "chid", "name", value);
    QCOMPARE(contents(m_path), before);
}

void tst_SettingsStore::writeChangesOnlyItsLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QStringList name { "Dic", "ChID", "Name" };
    QTest::newRow("empty file") << QByteArray() << name << "Robin" << QByteArray("[Dic/ChID]\nName=Robin\n");
    QTest::newRow("new key joins its section")
        << QByteArray("; Velmora\n[Dic/ChID]\nName=Robin\n\n[Other/Part]\nX=1\n")
        << QStringList { "Dic", "ChID", "LIndex" } << "3"
        << QByteArray("; Velmora\n[Dic/ChID]\nName=Robin\nLIndex=3\n\n[Other/Part]\nX=1\n");
    QTest::newRow("new key in an empty section")
        << QByteArray("[Dic/ChID]\n; nothing yet\n[Other/Part]\n") << name << "Robin"
        << QByteArray("[Dic/ChID]\nName=Robin\n; nothing yet\n[Other/Part]\n");
    QTest::newRow("replacement keeps spelling and place")
        << QByteArray("[Dic/ChID]\n  name = Old \nLIndex=0\n") << QStringList { "DIC", "chid", "NAME" }
        << "New" << QByteArray("[Dic/ChID]\nname=New\nLIndex=0\n");
    QTest::newRow("later duplicates dropped")
        << QByteArray("[Dic/ChID]\nName=A\n[dic/chid]\nNAME=B\nLIndex=1\n") << name << "C"
        << QByteArray("[Dic/ChID]\nName=C\n[dic/chid]\nLIndex=1\n");
    QTest::newRow("new section after a blank line")
        << QByteArray("[Other/Part]\nX=1\n") << name << "Robin"
        << QByteArray("[Other/Part]\nX=1\n\n[Dic/ChID]\nName=Robin\n");
    QTest::newRow("no final line break") << QByteArray("[Other/Part]\nX=1") << name << "Robin"
                                         << QByteArray("[Other/Part]\nX=1\n\n[Dic/ChID]\nName=Robin\n");
    QTest::newRow("comments and unknown lines kept")
        << QByteArray("# hand notes\n[Dic/ChID]\n; old choice\ngarbage without equals\nName=Old\n") << name
        << "New" << QByteArray("# hand notes\n[Dic/ChID]\n; old choice\ngarbage without equals\nName=New\n");
    QTest::newRow("entries under a broken header left alone")
        << QByteArray("[Dic/ChID\nName=Old\n") << name << "New"
        << QByteArray("[Dic/ChID\nName=Old\n\n[Dic/ChID]\nName=New\n");
    QTest::newRow("names escaped, value readable")
        << QByteArray() << QStringList { "a/b", "[s]", " k=v;" } << " x = [y]; \\ "
        << QByteArray("[a\\/b/\\[s\\]]\n\\ k\\=v\\;=\\ x = [y]; \\\\\\ \n");
    QTest::newRow("empty names") << QByteArray() << QStringList { "", "", "" } << "x"
                                 << QByteArray("[/]\n=x\n");
    QTest::newRow("non-ascii stays readable")
        << QByteArray() << name << "शब्द ü" << QByteArray("[Dic/ChID]\nName=शब्द ü\n");
}

void tst_SettingsStore::writeChangesOnlyItsLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, names);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        setContents(m_path, before);
    SettingsStore(m_path).write(names[0], names[1], names[2], value);
    QCOMPARE(contents(m_path), after);
    QCOMPARE(SettingsStore(m_path).read(names[0], names[1], names[2], Default), value);
}

void tst_SettingsStore::everyReadSeesTheLatestWrite()
{
    const SettingsStore reader(m_path);
    SettingsStore writer(m_path);
    QCOMPARE(reader.read("Dic", "ChID", "Name", Default), Default);
    writer.write("Dic", "ChID", "Name", "Robin");
    QCOMPARE(reader.read("Dic", "ChID", "Name", Default), "Robin");
    writer.write("Dic", "ChID", "Name", "Wren");
    QCOMPARE(reader.read("Dic", "ChID", "Name", Default), "Wren");
    QVERIFY(QFile::remove(m_path));
    QCOMPARE(reader.read("Dic", "ChID", "Name", Default), Default);

    // Nothing but the file itself is left beside it: no temporary or lock file.
    QCOMPARE(snapshot(m_dir->path()).keys(), QStringList());
    writer.write("Dic", "ChID", "Name", "Wren");
    QCOMPARE(snapshot(m_dir->path()).keys(), QStringList { "settings.ini" });
}

void tst_SettingsStore::writeCreatesMissingFolders()
{
    const QString path = m_dir->filePath("config/velmora/settings.ini");
    SettingsStore store(path);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), Default);
    store.write("Dic", "ChID", "Name", "Robin");
    QCOMPARE(SettingsStore(path).read("Dic", "ChID", "Name", Default), "Robin");
    QCOMPARE(snapshot(m_dir->path()).keys(),
        QStringList({ "config", "config/velmora", "config/velmora/settings.ini" }));
}

void tst_SettingsStore::writeThroughALinkKeepsTheLink()
{
    // Configuration folders kept under version control link their files in.
    QVERIFY(QDir(m_dir->path()).mkpath("dotfiles"));
    const QString target = m_dir->filePath("dotfiles/velmora.ini");
    setContents(target, "[Other/Part]\nX=1\n");
    QVERIFY(QFile::link(target, m_path));

    SettingsStore(m_path).write("Dic", "ChID", "Name", "Robin");
    QCOMPARE(QFileInfo(m_path).symLinkTarget(), target);
    QCOMPARE(contents(target), "[Other/Part]\nX=1\n\n[Dic/ChID]\nName=Robin\n");
}

void tst_SettingsStore::failedWriteThrowsAndChangesNothing_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QString>("obstacle");

    QTest::newRow("folder path runs through a file") << "blocker/velmora/settings.ini"
                                                     << "file blocker";
    QTest::newRow("settings path is a folder") << "settings.ini"
                                               << "folder settings.ini";
    QTest::newRow("file too large to be ours") << "settings.ini"
                                               << "large settings.ini";
    QTest::newRow("fifo in place of the file") << "settings.ini"
                                               << "fifo settings.ini";
}

void tst_SettingsStore::failedWriteThrowsAndChangesNothing()
{
    QFETCH(QString, relativePath);
    QFETCH(QString, obstacle);

    const QStringList what = obstacle.split(' ');
    const QString obstaclePath = m_dir->filePath(what[1]);
    if (what[0] == "file") {
        setContents(obstaclePath, "not a folder\n");
    } else if (what[0] == "folder") {
        QVERIFY(QDir().mkpath(obstaclePath + "/inside"));
    } else if (what[0] == "fifo") {
        // A pipe nobody writes to: a read that waited for it would never end.
        QCOMPARE(::mkfifo(QFile::encodeName(obstaclePath).constData(), 0600), 0);
    } else {
        // A readable entry first: refusing must not depend on a parse failure.
        QByteArray large("[Dic/ChID]\nName=Robin\n");
        while (large.size() <= (1 << 20))
            large += "; padding padding padding padding padding padding padding\n";
        setContents(obstaclePath, large);
    }
    const QMap<QString, QByteArray> before = snapshot(m_dir->path());

    SettingsStore store(m_dir->filePath(relativePath));
    try {
        store.write("Dic", "ChID", "Name", "Wren");
        QFAIL("the write reported success");
    } catch (const Error &e) {
        QCOMPARE(e.number(), velmora::ErrorNumber::PathFileAccess);
        QVERIFY2(
            e.description().startsWith("Path/File access error: cannot save \"" + store.filePath() + "\": "),
            qPrintable(e.description()));
    }
    QCOMPARE(snapshot(m_dir->path()), before);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), Default);
}

void tst_SettingsStore::failingDiskOrFolderKeepsTheFileAndSaysWhy_data()
{
    QTest::addColumn<FailingSaveFile::Failure>("failure");
    QTest::addColumn<qint64>("room"); // bytes a full disk still takes
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full at once")
        << FailingSaveFile::Failure::FullDisk << qint64(0) << QString::fromLocal8Bit(strerror(ENOSPC));
    QTest::newRow("disk full mid-file")
        << FailingSaveFile::Failure::FullDisk << qint64(20) << QString::fromLocal8Bit(strerror(ENOSPC));
    QTest::newRow("read-only folder")
        << FailingSaveFile::Failure::ReadOnlyFolder << qint64(0) << QString::fromLocal8Bit(strerror(EACCES));
}

void tst_SettingsStore::failingDiskOrFolderKeepsTheFileAndSaysWhy()
{
    QFETCH(FailingSaveFile::Failure, failure);
    QFETCH(qint64, room);
    QFETCH(QString, reason);

    SettingsStore store(m_path);
    store.write("Dic", "ChID", { { "Name", "oolo.vchar" }, { "LIndex", "1" } });
    const QMap<QString, QByteArray> before = snapshot(m_dir->path());

    store.setSaveFileFactory(
        [&](const QString &path) { return std::make_unique<FailingSaveFile>(path, failure, room); });
    try {
        store.write("Dic", "ChID", { { "Name", "gulmo.vchar" }, { "LIndex", "0" } });
        QFAIL("the write reported success");
    } catch (const Error &e) {
        QCOMPARE(e.number(), velmora::ErrorNumber::PathFileAccess);
        QCOMPARE(e.description(), "Path/File access error: cannot save \"" + m_path + "\": " + reason);
    }
    // The old file, and nothing else: no temporary file, no lock.
    QCOMPARE(snapshot(m_dir->path()), before);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), "oolo.vchar");
    QCOMPARE(store.read("Dic", "ChID", "LIndex", Default), "1");
}

void tst_SettingsStore::readOnlyFolderRefusesTheWrite()
{
    if (::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders; the failing save file covers it");
    SettingsStore store(m_path);
    store.write("Dic", "ChID", "Name", "oolo.vchar");
    const QMap<QString, QByteArray> before = snapshot(m_dir->path());
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    QCOMPARE(failureOf([&] { store.write("Dic", "ChID", "Name", "gulmo.vchar"); }),
        velmora::ErrorNumber::PathFileAccess);
    QCOMPARE(snapshot(m_dir->path()), before);
}

void tst_SettingsStore::severalValuesGoInOneReplacement()
{
    SettingsStore store(m_path);
    int replacements = 0;
    store.setSaveFileFactory([&](const QString &path) {
        ++replacements;
        return std::make_unique<QSaveFile>(path);
    });
    store.write("Dic", "ChID", { { "Name", "oolo.vchar" }, { "LIndex", "1" } });
    QCOMPARE(replacements, 1);
    QCOMPARE(contents(m_path), "[Dic/ChID]\nName=oolo.vchar\nLIndex=1\n");

    // A disk that fills up halfway through the new file stores neither value.
    store.setSaveFileFactory([&](const QString &path) {
        return std::make_unique<FailingSaveFile>(path, FailingSaveFile::Failure::FullDisk, 25);
    });
    QCOMPARE(failureOf([&] {
        store.write("Dic", "ChID", { { "Name", "gulmo.vchar" }, { "LIndex", "0" } });
    }),
        velmora::ErrorNumber::PathFileAccess);
    QCOMPARE(contents(m_path), "[Dic/ChID]\nName=oolo.vchar\nLIndex=1\n");
}

void tst_SettingsStore::duplicateKeysAreDroppedInLinearTime()
{
    // Saving over n duplicate entries must cost about n, not n squared: ten
    // times the duplicates may take about ten times as long, never a hundred.
    // The best of three runs each keeps a busy machine from deciding.
    const auto bestOf3 = [this](int duplicates) {
        QByteArray file("[Dic/ChID]\n");
        for (int i = 0; i < duplicates; ++i)
            file += i % 2 ? "name=x\n" : "NAME=y\n"; // 100k of them stay below the size cap
        qint64 best = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 3; ++run) {
            setContents(m_path, file);
            QElapsedTimer clock;
            clock.start();
            SettingsStore(m_path).write("Dic", "ChID", "Name", "new");
            best = std::min(best, clock.nsecsElapsed());
            if (QTest::currentTestFailed())
                return best;
        }
        return best;
    };
    const qint64 small = bestOf3(10000);
    const qint64 large = bestOf3(100000);
    QCOMPARE(contents(m_path), "[Dic/ChID]\nNAME=new\n");
    qInfo("10k duplicates: %.1f ms, 100k: %.1f ms", small / 1e6, large / 1e6);
    QVERIFY2(large < 35 * small,
        qPrintable(QString("10k duplicates: %1 ms, 100k: %2 ms").arg(small / 1e6).arg(large / 1e6)));
}

void tst_SettingsStore::garbledFileReadsAsDefaults_data()
{
    QTest::addColumn<QByteArray>("garble");

    QByteArray random(8192, '\0');
    QRandomGenerator generator(20240611);
    for (char &byte : random)
        byte = char(generator.bounded(256));
    QTest::newRow("random bytes") << random;
    QTest::newRow("nul bytes") << QByteArray(512, '\0');
    QTest::newRow("invalid utf-8") << QByteArray("\xff\xfe\xc0\x80[\xed\xa0\x80/\xf8]\nName=\xc3\n");
    QTest::newRow("one long line") << QByteArray(300000, 'x');
    QTest::newRow("brackets, equals and backslashes") << QByteArray("[[[]]]\n===\n\\\\\\\n[\\]\n]\n[/\n");
    QTest::newRow("truncated mid-entry") << QByteArray("[Dic/Ch");
}

void tst_SettingsStore::garbledFileReadsAsDefaults()
{
    QFETCH(QByteArray, garble);

    setContents(m_path, garble);
    SettingsStore store(m_path);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), Default);
    QCOMPARE(store.read("Dic", "ChID", "LIndex", "0"), "0");

    // A write still works, and leaves the lines it cannot read as they were.
    store.write("Dic", "ChID", "Name", "Robin");
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), "Robin");
    QVERIFY(contents(m_path).startsWith(garble));
}

void tst_SettingsStore::twoProcessesWritingAtOnceLoseNothing()
{
    constexpr int Count = 100;
    SettingsStore(m_path).write("Dic", "ChID", "Name", "Robin");

    QProcess first;
    QProcess second;
    const QString self = QCoreApplication::applicationFilePath();
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(self, { "--write-keys", m_path, "first", QString::number(Count) });
    second.start(self, { "--write-keys", m_path, "second", QString::number(Count) });
    QVERIFY(first.waitForFinished(150000));
    QVERIFY(second.waitForFinished(150000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);

    const SettingsStore store(m_path);
    QCOMPARE(store.read("Dic", "ChID", "Name", Default), "Robin");
    for (int i = 0; i < Count; ++i) {
        const QString value = "value " + QString::number(i);
        QCOMPARE(store.read("Dic", "Stress", "first-" + QString::number(i), Default), value);
        QCOMPARE(store.read("Dic", "Stress", "second-" + QString::number(i), Default), value);
    }
    // Two sections and every entry exactly once, nothing else.
    const QList<QByteArray> items = itemLines(m_path);
    QCOMPARE(items.size(), 2 + 1 + 2 * Count);
    QCOMPARE(items.count("[Dic/Stress]"), 1);
    QCOMPARE(QSet<QByteArray>(items.cbegin(), items.cend()).size(), items.size());
    QCOMPARE(snapshot(m_dir->path()).keys(), QStringList { "settings.ini" });
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--write-keys") == 0)
        return writeKeys(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), atoi(argv[4]));
    tst_SettingsStore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsstore.moc"
