#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace velmora {

// English word forms back to their base forms (went -> go, geese -> goose,
// running -> run, boxes -> box), from WordNet's exception lists and its
// regular suffix rules as velmora-dicbuild writes them:
//
//   # comment
//   [suffixes]
//   noun ses s          part of speech, ending, replacement (none: drop it)
//   verb ing
//   [exceptions]
//   went go             inflected form, then its base forms
//
// Fields are separated by single spaces; lines end with LF. Lines that fit
// neither section are skipped.
class Morphology {
public:
    // Whether `base` is a word the dictionary holds, as `partOfSpeech`
    // ("noun", "verb", "adj", "adv") or, when that is empty, as any.
    using IsBase = std::function<bool(const QString &base, const QString &partOfSpeech)>;

    Morphology() = default;
    explicit Morphology(QByteArrayView text);
    // Reads a word-forms file. Throws Error when it cannot be read.
    static Morphology load(const QString &path);

    // The base forms of `word` that `isBase` accepts, lower-cased, most
    // likely first: the exception list's, then those the suffix rules give,
    // in the rules' order. Never `word` itself; no form twice.
    QStringList baseForms(const QString &word, const IsBase &isBase) const;

    int exceptionCount() const { return int(m_exceptions.size()); }
    int suffixRuleCount() const { return int(m_suffixes.size()); }

private:
    struct SuffixRule {
        QString partOfSpeech;
        QString ending;
        QString replacement;
    };
    QList<SuffixRule> m_suffixes;
    QHash<QString, QStringList> m_exceptions;
};

} // namespace velmora
