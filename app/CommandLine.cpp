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
    const QCommandLineOption help = parser.addHelpOption();
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
    QCommandLineOption platform(u"platform"_s, u"Qt platform plugin for the window."_s, u"name"_s);
    platform.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(platform);

    Outcome outcome;
    const auto usageError = [&](const QString &message) {
        err << "velmora: " << message << '\n' << parser.helpText();
        err.flush();
        outcome.exitStatus = kUsage;
        return outcome;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(u"help-all"_s)) {
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
    if (!parser.isSet(lookup) && !parser.isSet(hindi))
        return outcome;
    if (parser.isSet(lookup) && parser.isSet(hindi))
        return usageError(u"--lookup and --hindi cannot be given together."_s);

    try {
        const WordAnswers answers(WordAnswers::defaultFolder());
        const bool found = parser.isSet(lookup) ? answers.lookup(parser.value(lookup), out, err)
                                                : answers.hindi(parser.value(hindi), out, err);
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
