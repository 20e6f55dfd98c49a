// Runs the built program as a user would in a terminal without a display:
// its options, exit statuses and texts.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_CommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void spellingVariantsGiveTheSameAnswer();
    void findsItsDataBelowShareInAnInstalledLayout();
    void missingDictionaryIsAnErrorOfItsOwn();
    void missingWordFormsStillLooksUpHeadwords();

private:
    struct Run {
        int status = -1;
        QString out;
        QString err;
    };
    // Runs `program` with `arguments` from a scratch folder, with no display.
    static Run run(const QString &program, const QStringList &arguments);
};

tst_CommandLine::Run tst_CommandLine::run(const QString &program, const QStringList &arguments)
{
    QTemporaryDir elsewhere;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(elsewhere.path());
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

void tst_CommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("outStart"); // what stdout begins with
    QTest::addColumn<QString>("errStart"); // what stderr begins with
    QTest::addColumn<QString>("errHolds"); // a text stderr holds; empty: stderr is empty

    const QString version = "velmora " VELMORA_VERSION "\n";
    QTest::newRow("--version") << QStringList { "--version" } << 0 << version << ""
                               << "";
    QTest::newRow("-v") << QStringList { "-v" } << 0 << version << ""
                        << "";
    QTest::newRow("--help") << QStringList { "--help" } << 0 << "Usage: "
                            << ""
                            << "";
    QTest::newRow("-h") << QStringList { "-h" } << 0 << "Usage: "
                        << ""
                        << "";
    QTest::newRow("unknown option") << QStringList { "--frob" } << 2 << ""
                                    << "velmora: Unknown option 'frob'.\nUsage: "
                                    << "--lookup <word>";
    QTest::newRow("option without its word") << QStringList { "--lookup" } << 2 << ""
                                             << "velmora: Missing value after '--lookup'.\n"
                                             << "Usage: ";
    QTest::newRow("blank word") << QStringList { "--hindi", " " } << 2 << ""
                                << "velmora: --hindi needs a word.\n"
                                << "Usage: ";
    QTest::newRow("stray argument") << QStringList { "water" } << 2 << ""
                                    << "velmora: unexpected argument 'water'.\n"
                                    << "Usage: ";
    QTest::newRow("two questions at once")
        << QStringList { "--lookup", "water", "--hindi", "pani" } << 2 << ""
        << "velmora: --lookup and --hindi cannot be given together.\n"
        << "Usage: ";
    QTest::newRow("lookup: every entry, the window's texts")
        << QStringList { "--lookup", "Water" } << 0
        << "Water\n  Word Type: Noun\n  Meaning: Pani\n  Example: Drink plenty of water to keep good "
           "health\n\n"
           "Water\n  Word Type: Verb transitive, intransitive\n  Meaning: Seenchna; Pani Aana\n"
        << ""
        << "";
    QTest::newRow("lookup ignores letter case and blanks")
        << QStringList { "--lookup", " wATER " } << 0 << "Water\n  Word Type: Noun\n"
        << ""
        << "";
    QTest::newRow("single-dash option") << QStringList { "-lookup", "water" } << 0 << "Water\n"
                                        << ""
                                        << "";
    QTest::newRow("lookup: irregular verb")
        << QStringList { "--lookup", "went" } << 0 << "went → go\nGo\n  Word Type: Verb\n  Meaning: Jana; "
        << ""
        << "";
    QTest::newRow("lookup: irregular plural")
        << QStringList { "--lookup", "Children" } << 0 << "children → child\nChild\n  Word Type: Noun\n"
        << ""
        << "";
    QTest::newRow("lookup: regular plural")
        << QStringList { "--lookup", "tables" } << 0 << "tables → table\nTable\n"
        << ""
        << "";
    QTest::newRow("lookup: a headword is not reduced")
        << QStringList { "--lookup", "running" } << 0 << "Running\n  Word Type: Adjective\n"
        << ""
        << "";
    QTest::newRow("lookup: misspelt word gets the nearest")
        << QStringList { "--lookup", "watr" } << 1 << ""
        << "velmora: \"watr\" is not in the dictionary.\nNearest words: War, Wart, Water\n"
        << "Nearest words";
    QTest::newRow("lookup: nothing near") << QStringList { "--lookup", "zzqqxx" } << 1 << ""
                                          << "velmora: \"zzqqxx\" is not in the dictionary.\n"
                                          << "dictionary.";
    QTest::newRow("hindi: whole word, exact senses first")
        << QStringList { "--hindi", "pani" } << 0 << "Tinsel (Noun) — Panni\nWater (Noun) — Pani\n"
        << ""
        << "";
    QTest::newRow("hindi: nothing") << QStringList { "--hindi", "zzqqxx" } << 1 << ""
                                    << "velmora: no entry has \"zzqqxx\" in its meaning.\n"
                                    << "meaning";
    QTest::newRow("no option and no display")
        << QStringList {} << 1 << ""
        << "velmora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
        << "xvfb-run -s '-screen 0 1024x768x24' ";
    QTest::newRow("Qt's window options are not errors")
        << QStringList { "-style", "fusion", "-reverse" } << 1 << ""
        << "velmora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
        << "xvfb-run";
    QTest::newRow("xcb asked for, no display")
        << QStringList { "-platform", "xcb" } << 1 << ""
        << "velmora: no display to open the window on (the Qt platform \"xcb\""
        << "xvfb-run";
}

void tst_CommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, outStart);
    QFETCH(QString, errStart);
    QFETCH(QString, errHolds);
    const Run r = run(VELMORA_PROGRAM, arguments);
    QVERIFY2(r.status >= 0, "the program crashed or hung");
    QCOMPARE(r.status, status);
    if (outStart.isEmpty())
        QCOMPARE(r.out, QString());
    else
        QVERIFY2(r.out.startsWith(outStart), qPrintable(r.out));
    QVERIFY2(errStart.isEmpty() || r.err.startsWith(errStart), qPrintable(r.err));
    if (errHolds.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.contains(errHolds), qPrintable(r.err));
}

void tst_CommandLine::spellingVariantsGiveTheSameAnswer()
{
    const Run pani = run(VELMORA_PROGRAM, { "--hindi", "pani" });
    const Run paani = run(VELMORA_PROGRAM, { "--hindi", "PAANI" });
    QCOMPARE(pani.status, 0);
    QCOMPARE(paani.out, pani.out);
    const QStringList lines = pani.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 20);
    for (const QString &line : lines)
        QVERIFY2(line.contains(" — "), qPrintable(line));
}

// bin/velmora with its data in share/velmora, as an install lays it out.
void tst_CommandLine::findsItsDataBelowShareInAnInstalledLayout()
{
    QTemporaryDir prefix;
    const QString dataDir = QFileInfo(VELMORA_PROGRAM).absolutePath();
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    QVERIFY(QDir(prefix.path()).mkpath("share/velmora"));
    QVERIFY(QFile::copy(VELMORA_PROGRAM, prefix.filePath("bin/velmora")));
    QVERIFY(QFile::copy(dataDir + "/Complete.dic", prefix.filePath("share/velmora/Complete.dic")));
    QVERIFY(QFile::copy(dataDir + "/wordforms.txt", prefix.filePath("share/velmora/wordforms.txt")));
    const Run r = run(prefix.filePath("bin/velmora"), { "--lookup", "went" });
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.startsWith("went → go\nGo\n"), qPrintable(r.out + r.err));
}

void tst_CommandLine::missingDictionaryIsAnErrorOfItsOwn()
{
    QTemporaryDir bare;
    QVERIFY(QFile::copy(VELMORA_PROGRAM, bare.filePath("velmora")));
    const Run r = run(bare.filePath("velmora"), { "--lookup", "water" });
    QCOMPARE(r.status, 3);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("velmora: ") && r.err.contains("Complete.dic"), qPrintable(r.err));
    // Options that need no data still answer.
    QCOMPARE(run(bare.filePath("velmora"), { "--version" }).status, 0);
}

void tst_CommandLine::missingWordFormsStillLooksUpHeadwords()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(VELMORA_PROGRAM, folder.filePath("velmora")));
    QVERIFY(QFile::copy(
        QFileInfo(VELMORA_PROGRAM).absolutePath() + "/Complete.dic", folder.filePath("Complete.dic")));
    QCOMPARE(run(folder.filePath("velmora"), { "--lookup", "water" }).status, 0);
    const Run went = run(folder.filePath("velmora"), { "--lookup", "went" });
    QCOMPARE(went.status, 1);
    QVERIFY2(went.err.contains("wordforms.txt") && went.err.contains("\"went\" is not in the dictionary."),
        qPrintable(went.err));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
