#include "app/CommandLine.h"

#include "app/WordAnswers.h"
#include "base/Error.h"

#include <QCommandLineParser>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace velmora {

CommandLine::Outcome CommandLine::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    // "-lookup" works like "--lookup", and Qt's own "-platform NAME" stays usable.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        u"Velmora, an English to Roman-script Hindi dictionary. Without options it opens the "
        "dictionary window."_s);
    // Not addHelpOption(): its --help-all promises Qt's own options, which
    // this help does not list.
    const QCommandLineOption help({ u"h"_s, u"help"_s, u"?"_s }, u"Displays help on commandline options."_s);
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lookup(u"lookup"_s,
        u"Print the entries for <word>: headword, word type, meaning and example. Exit status 1 when "
        "the word is not in the dictionary."_s,
        u"word"_s);
    parser.addOption(lookup);
    const QCommandLineOption hindi(u"hindi"_s,
        u"Print up to 20 entries whose Roman-Hindi meaning holds <word>, spelling variants aside (paani, "
        u"pani). "
        "Exit status 1 when there is none."_s,
        u"word"_s);
    parser.addOption(hindi);
    // Qt's own options for the window stay accepted, unlisted; the GUI
    // application reads them itself.
    const QCommandLineOption platform(u"platform"_s, QString(), u"name"_s);
    const QCommandLineOption display(u"display"_s, QString(), u"display"_s);
    for (QCommandLineOption option :
        { platform, display, QCommandLineOption(u"style"_s, QString(), u"style"_s),
            QCommandLineOption(u"stylesheet"_s, QString(), u"file"_s),
            QCommandLineOption(u"qwindowgeometry"_s, QString(), u"geometry"_s),
            QCommandLineOption(u"qwindowtitle"_s, QString(), u"title"_s),
            QCommandLineOption(u"reverse"_s) }) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    Outcome outcome;
    const auto usageError = [&](const QString &message) {
        err << "velmora: " << message << '\n' << parser.helpText();
        err.flush();
        outcome.exitStatus = kUsage;
        return outcome;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        outcome.exitStatus = kFound;
        return outcome;
    }
    if (parser.isSet(version)) {
        out << "velmora " << VELMORA_VERSION << '\n';
        outcome.exitStatus = kFound;
        return outcome;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(u"unexpected argument '%1'."_s.arg(parser.positionalArguments().constFirst()));
    outcome.platform = parser.value(platform);
    outcome.display = parser.value(display);
    if (!parser.isSet(lookup) && !parser.isSet(hindi))
        return outcome;
    if (parser.isSet(lookup) && parser.isSet(hindi))
        return usageError(u"--lookup and --hindi cannot be given together."_s);

    const QString word = parser.value(parser.isSet(lookup) ? lookup : hindi);
    if (word.trimmed().isEmpty())
        return usageError(u"--%1 needs a word."_s.arg(parser.isSet(lookup) ? u"lookup"_s : u"hindi"_s));

    try {
        const WordAnswers answers(WordAnswers::defaultFolder());
        const bool found
            = parser.isSet(lookup) ? answers.lookup(word, out, err) : answers.hindi(word, out, err);
        outcome.exitStatus = found ? kFound : kNotFound;
    } catch (const Error &error) {
        err << "velmora: " << error.description() << '\n';
        outcome.exitStatus = kNoData;
    }
    out.flush();
    err.flush();
    return outcome;
}

} // namespace velmora
