#include "dictionary/ReverseLookup.h"

#include "dictionary/RomanFolding.h"

namespace velmora {

namespace {

QByteArrayView meaningOf(QByteArrayView line)
{
    for (int field = 0; field < 2; ++field) {
        const qsizetype at = line.indexOf(QByteArrayView("||"));
        if (at < 0)
            return {};
        line = line.sliced(at + 2);
    }
    const qsizetype end = line.indexOf(QByteArrayView("||"));
    return end < 0 ? line : line.first(end);
}

// The meaning's senses (cut at commas and semicolons) as their folded words,
// each word followed by a space, senses between bars: "| pani | jal ka |".
// One pass and one buffer per line: a reverse lookup reads every meaning.
void foldSenses(QByteArrayView meaning, QString &text, QString &out)
{
    // Both buffers keep their capacity from line to line.
    text.resize(meaning.size());
    for (qsizetype i = 0; i < meaning.size(); ++i)
        text[i] = QLatin1Char(meaning[i]);
    out.clear();
    out += u'|';
    qsizetype wordStart = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text.at(i) : QChar(u';');
        if (c.isLetter()) {
            if (wordStart < 0)
                wordStart = i;
            continue;
        }
        if (wordStart >= 0) {
            if (out.back() == u'|')
                out += u' ';
            RomanFolding::foldInto(QStringView(text).sliced(wordStart, i - wordStart), out);
            out += u' ';
            wordStart = -1;
        }
        if ((c == u',' || c == u';') && out.back() != u'|')
            out += u'|';
    }
}

} // namespace

ReverseLookup::ReverseLookup(const DictionaryLines &lines)
    : m_lines(lines)
{
}

QList<int> ReverseLookup::find(const QString &hindi, int limit) const
{
    const QStringList words = RomanFolding::foldedWords(hindi);
    if (words.isEmpty() || limit <= 0)
        return {};
    const QString within = QLatin1Char(' ') + words.join(QLatin1Char(' ')) + QLatin1Char(' ');
    const QString whole = QLatin1Char('|') + within + QLatin1Char('|');
    QList<int> exact;
    QList<int> partial;
    QString text;
    QString senses;
    for (int i = 0; i < m_lines.size() && exact.size() < limit; ++i) {
        foldSenses(meaningOf(m_lines.bytesAt(i)), text, senses);
        if (senses.contains(whole))
            exact.append(i);
        else if (partial.size() < limit && senses.contains(within))
            partial.append(i);
    }
    exact.append(partial.first(std::min(partial.size(), qsizetype(limit) - exact.size())));
    return exact;
}

} // namespace velmora
