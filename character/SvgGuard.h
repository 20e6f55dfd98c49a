#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace velmora::agent {

// Character drawings come from files anyone may hand us, and Qt SVG would
// follow links to other files and expand whatever it is given. So a drawing
// may only use a small set of plain shape elements, may link only inside the
// character file (#name), and may not chain links, which could otherwise
// multiply the rendering work without bound.
class SvgGuard {
public:
    static constexpr int MaxDepth = 32;
    static constexpr double MaxNumber = 100000;
    static constexpr int MaxTextLength = 500; // characters of <text> in one fragment

    struct Scan {
        QString problem; // empty when the markup is acceptable
        QSet<QString> linkTargets; // ids that xlink:href points at
        QSet<QString> idsWithLinks; // ids of elements that hold a link themselves or inside
        int elements = 0; // elements in the fragment
        QHash<QString, int> elementsUnder; // for each id: the elements of its subtree, itself included
        QStringList uses; // the target id of each <use>, once per <use>
    };

    // Checks a fragment of SVG markup: the content of an <svg> element
    // without the element itself.
    static Scan scanFragment(const QString &fragment);

    // Checks the value of a transform attribute.
    static QString problemInTransform(const QString &transform);

    // Links across all the fragments of one file: no link may point at an
    // element that links again. Empty when there is no such chain.
    static QString problemInLinks(const QSet<QString> &linkTargets, const QSet<QString> &idsWithLinks);
};

} // namespace velmora::agent
