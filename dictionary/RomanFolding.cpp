#include "dictionary/RomanFolding.h"

namespace velmora::RomanFolding {

QString fold(QStringView word)
{
    QString folded;
    folded.reserve(word.size());
    foldInto(word, folded);
    return folded;
}

void foldInto(QStringView word, QString &out)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        QChar c = word.at(i).toLower();
        const QChar next = i + 1 < word.size() ? word.at(i + 1).toLower() : QChar();
        if (c == u'p' && next == u'h') {
            c = u'f';
            ++i;
        } else if (c == u'e' && next == u'e') {
            c = u'i';
            ++i;
        } else if (c == u'o' && next == u'o') {
            c = u'u';
            ++i;
        } else if (c == u'w') {
            c = u'v';
        } else if (c == u'z') {
            c = u'j';
        }
        if (!(c.isLetter() && !out.isEmpty() && out.back() == c))
            out += c;
    }
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
