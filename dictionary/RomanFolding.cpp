#include "dictionary/RomanFolding.h"

namespace velmora::RomanFolding {

QString fold(QStringView word)
{
    const QString lower = word.toString().toLower();
    QString mapped;
    mapped.reserve(lower.size());
    for (qsizetype i = 0; i < lower.size(); ++i) {
        const QChar c = lower.at(i);
        const QChar next = i + 1 < lower.size() ? lower.at(i + 1) : QChar();
        if (c == u'p' && next == u'h') {
            mapped += u'f';
            ++i;
        } else if (c == u'e' && next == u'e') {
            mapped += u'i';
            ++i;
        } else if (c == u'o' && next == u'o') {
            mapped += u'u';
            ++i;
        } else if (c == u'w') {
            mapped += u'v';
        } else if (c == u'z') {
            mapped += u'j';
        } else {
            mapped += c;
        }
    }
    QString folded;
    folded.reserve(mapped.size());
    for (const QChar c : mapped) {
        if (!(c.isLetter() && !folded.isEmpty() && folded.back() == c))
            folded += c;
    }
    return folded;
}

QStringList foldedWords(QStringView text)
{
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool letter = i < text.size() && text.at(i).isLetter();
        if (letter && start < 0) {
            start = i;
        } else if (!letter && start >= 0) {
            words.append(fold(text.sliced(start, i - start)));
            start = -1;
        }
    }
    return words;
}

} // namespace velmora::RomanFolding
