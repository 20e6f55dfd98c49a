#include "dictionary/Morphology.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace velmora {

Morphology::Morphology(QByteArrayView text)
{
    enum class Section { None, Suffixes, Exceptions } section = Section::None;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QString line = QString::fromUtf8(text.sliced(start, end - start)).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line == u"[suffixes]") {
            section = Section::Suffixes;
            continue;
        }
        if (line == u"[exceptions]") {
            section = Section::Exceptions;
            continue;
        }
        if (line.startsWith(u'[')) {
            section = Section::None; // a section this program does not know
            continue;
        }
        const QStringList fields = line.toLower().split(u' ', Qt::SkipEmptyParts);
        if (section == Section::Suffixes && (fields.size() == 2 || fields.size() == 3))
            m_suffixes.append({ fields.at(0), fields.at(1), fields.value(2) });
        else if (section == Section::Exceptions && fields.size() >= 2)
            m_exceptions.insert(fields.at(0), fields.mid(1));
    }
}

Morphology Morphology::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(ErrorNumber::PathFileAccess,
            u"Cannot read the word forms %1: %2"_s.arg(path, file.errorString()));
    }
    return Morphology(file.readAll());
}

QStringList Morphology::baseForms(const QString &word, const IsBase &isBase) const
{
    const QString inflected = word.toLower();
    QStringList bases;
    const auto take = [&](const QString &base, const QString &partOfSpeech) {
        if (!base.isEmpty() && base != inflected && !bases.contains(base) && isBase(base, partOfSpeech))
            bases.append(base);
    };
    for (const QString &base : m_exceptions.value(inflected))
        take(base, QString());
    for (const SuffixRule &rule : m_suffixes) {
        if (inflected.size() > rule.ending.size() && inflected.endsWith(rule.ending))
            take(inflected.chopped(rule.ending.size()) + rule.replacement, rule.partOfSpeech);
    }
    return bases;
}

} // namespace velmora
