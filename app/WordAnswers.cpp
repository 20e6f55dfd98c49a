#include "app/WordAnswers.h"

#include "base/DataFolder.h"
#include "base/Error.h"
#include "dictionary/EntryDisplay.h"
#include "dictionary/Morphology.h"
#include "dictionary/NearestHeadwords.h"
#include "dictionary/ReverseLookup.h"
#include "dictionary/TextOps.h"

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace velmora {

namespace {

// The word-type codes a part of speech of the word-forms file stands for.
bool codeIsPartOfSpeech(const QString &code, const QString &partOfSpeech)
{
    const QString c = code.toLower();
    if (partOfSpeech == u"noun")
        return c == u"n" || c == u"propn";
    if (partOfSpeech == u"verb")
        return c == u"v" || c == u"vi" || c == u"vt" || c == u"vti" || c == u"auxv" || c == u"mv";
    if (partOfSpeech == u"adj")
        return c == u"a";
    if (partOfSpeech == u"adv")
        return c == u"adv";
    return false;
}

QString codeOf(QByteArrayView line)
{
    const QStringList fields = text::split(QString::fromLatin1(line), u"||"_s);
    return fields.value(1);
}

} // namespace

WordAnswers::WordAnswers(const QString &folder)
    : m_folder(folder)
    , m_lines(DictionaryFile::readLines(QDir(folder).filePath(u"Complete.dic"_s)))
{
}

const HeadwordIndex &WordAnswers::index() const
{
    if (!m_index)
        m_index.emplace(m_lines);
    return *m_index;
}

QString WordAnswers::defaultFolder()
{
    return dataFolders().data;
}

void WordAnswers::printEntries(const QList<int> &lines, QTextStream &out) const
{
    for (int i = 0; i < lines.size(); ++i) {
        const ShownEntry entry = EntryDisplay::entry(m_lines.bytesAt(lines.at(i)));
        if (i > 0)
            out << '\n';
        out << entry.headword << '\n';
        if (!entry.wordType.isEmpty())
            out << "  Word Type: " << entry.wordType << '\n';
        out << "  Meaning: " << entry.meaning << '\n';
        if (!entry.example.isEmpty())
            out << "  Example: " << entry.example << '\n';
    }
}

bool WordAnswers::isBase(const QString &word, const QString &partOfSpeech) const
{
    const QList<int> lines = index().linesOf(word);
    if (partOfSpeech.isEmpty())
        return !lines.isEmpty();
    for (int line : lines) {
        if (codeIsPartOfSpeech(codeOf(m_lines.bytesAt(line)), partOfSpeech))
            return true;
    }
    return false;
}

bool WordAnswers::lookup(const QString &word, QTextStream &out, QTextStream &err) const
{
    const QString wanted = word.simplified();
    if (const QList<int> lines = index().linesOf(wanted); !lines.isEmpty()) {
        printEntries(lines, out);
        return true;
    }

    // An inflected form: its base forms' entries, each under "went → go".
    QStringList bases;
    try {
        const Morphology forms = Morphology::load(QDir(m_folder).filePath(QLatin1StringView(kWordFormsFile)));
        bases = forms.baseForms(wanted,
            [this](const QString &base, const QString &partOfSpeech) { return isBase(base, partOfSpeech); });
    } catch (const Error &error) {
        err << "velmora: " << error.description() << '\n';
    }
    for (qsizetype i = 0; i < bases.size(); ++i) {
        if (i > 0)
            out << '\n';
        out << wanted.toLower() << " → " << bases.at(i) << '\n';
        printEntries(index().linesOf(bases.at(i)), out);
    }
    if (!bases.isEmpty())
        return true;

    err << "velmora: \"" << wanted << "\" is not in the dictionary.\n";
    QStringList nearest = NearestHeadwords::find(index().words(), wanted);
    if (!nearest.isEmpty()) {
        for (QString &near : nearest)
            near = text::properCase(near);
        err << "Nearest words: " << nearest.join(u", "_s) << '\n';
    }
    return false;
}

bool WordAnswers::hindi(const QString &hindi, QTextStream &out, QTextStream &err) const
{
    const QList<int> lines = ReverseLookup(m_lines).find(hindi);
    for (int line : lines) {
        const ShownEntry entry = EntryDisplay::entry(m_lines.bytesAt(line));
        out << entry.headword;
        if (!entry.wordType.isEmpty())
            out << " (" << entry.wordType << ')';
        out << " — " << entry.meaning << '\n';
    }
    if (!lines.isEmpty())
        return true;
    err << "velmora: no entry has \"" << hindi.simplified() << "\" in its meaning.\n";
    return false;
}

} // namespace velmora
