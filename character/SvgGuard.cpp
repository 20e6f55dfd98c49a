#include "character/SvgGuard.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>

using namespace Qt::StringLiterals;

namespace velmora::agent {

namespace {

const QString SvgNamespace = u"http://www.w3.org/2000/svg"_s;
const QString XlinkNamespace = u"http://www.w3.org/1999/xlink"_s;

bool isAllowedElement(QStringView name)
{
    static const QSet<QString> allowed = [] {
        const QStringList names = u"g defs path rect circle ellipse line polyline polygon linearGradient "
                                  "radialGradient stop use text tspan title desc"_s.split(u' ');
        return QSet<QString>(names.begin(), names.end());
    }();
    return allowed.contains(name.toString());
}

// Numbers beyond MaxNumber serve no drawing of a few hundred pixels and
// only make the painter work hard. Colours and #links are not numbers.
QString problemInNumbers(const QString &value)
{
    static const QRegularExpression references(u"#[A-Za-z0-9_.:-]*"_s);
    static const QRegularExpression number(u"[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"_s);
    QString text = value;
    text.remove(references);
    for (const QRegularExpressionMatch &m : number.globalMatch(text)) {
        const double v = m.captured().toDouble();
        if (!std::isfinite(v) || std::abs(v) > SvgGuard::MaxNumber)
            return u"the number %1 is too large for a drawing"_s.arg(m.captured());
    }
    return {};
}

// Every url(...) must name something in this file: url(#id).
QString problemInUrls(const QString &value)
{
    QString compact = value;
    compact.removeIf([](QChar c) { return c.isSpace() || c == u'"' || c == u'\''; });
    compact = compact.toLower();
    for (qsizetype at = compact.indexOf(u"url("_s); at >= 0; at = compact.indexOf(u"url("_s, at + 4)) {
        if (compact.mid(at + 4, 1) != u"#"_s)
            return u"url(...) may only point inside the file, as in url(#name)"_s;
    }
    return {};
}

} // namespace

SvgGuard::Scan SvgGuard::scanFragment(const QString &fragment)
{
    Scan scan;
    if (fragment.contains(u"<!doctype"_s, Qt::CaseInsensitive)
        || fragment.contains(u"<!entity"_s, Qt::CaseInsensitive)) {
        scan.problem = u"document type declarations and entities are not allowed"_s;
        return scan;
    }

    QXmlStreamReader xml(
        u"<g xmlns=\"%1\" xmlns:xlink=\"%2\">"_s.arg(SvgNamespace, XlinkNamespace) + fragment + u"</g>"_s);
    // The open elements: their ids, to mark every ancestor of a link, and
    // the element count at which each began, to size its subtree.
    QList<QString> openIds;
    QList<int> openedAt;
    int textLength = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (openIds.size() > MaxDepth) {
                scan.problem = u"elements are nested more than %1 deep"_s.arg(MaxDepth);
                return scan;
            }
            const QString name = xml.name().toString();
            if (xml.namespaceUri() != SvgNamespace || !isAllowedElement(name)) {
                scan.problem = u"the element <%1> is not allowed in a character drawing"_s.arg(
                    xml.qualifiedName().toString());
                return scan;
            }
            const QXmlStreamAttributes attributes = xml.attributes();
            bool links = false;
            for (const QXmlStreamAttribute &attribute : attributes) {
                const QString attributeName = attribute.name().toString();
                const QString value = attribute.value().toString();
                if (attributeName == u"href"_s) {
                    static const QRegularExpression localLink(u"^#[A-Za-z_][A-Za-z0-9_.:-]*$"_s);
                    if (!localLink.match(value).hasMatch()) {
                        scan.problem = u"links may only point inside the file, as in xlink:href=\"#name\""_s;
                        return scan;
                    }
                    scan.linkTargets.insert(value.mid(1));
                    if (name == u"use"_s)
                        scan.uses.append(value.mid(1));
                    links = true;
                    continue;
                }
                if (attributeName.contains(u"dasharray"_s) || value.contains(u"dasharray"_s)) {
                    scan.problem = u"dashed lines (stroke-dasharray) are not supported"_s;
                    return scan;
                }
                if (attributeName == u"id"_s || attributeName == u"class"_s)
                    continue;
                if (QString p = problemInUrls(value); !p.isEmpty()) {
                    scan.problem = p;
                    return scan;
                }
                if (QString p = problemInNumbers(value); !p.isEmpty()) {
                    scan.problem = p;
                    return scan;
                }
            }
            const bool wrapper = openIds.isEmpty();
            openIds.append(attributes.value(u"id"_s).toString());
            openedAt.append(scan.elements);
            if (!wrapper)
                ++scan.elements;
            if (links) {
                for (const QString &id : std::as_const(openIds)) {
                    if (!id.isEmpty())
                        scan.idsWithLinks.insert(id);
                }
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!openIds.isEmpty()) {
                const QString id = openIds.takeLast();
                const int first = openedAt.takeLast();
                if (!id.isEmpty())
                    scan.elementsUnder.insert(id, scan.elements - first);
            }
            break;
        case QXmlStreamReader::Characters:
            textLength += int(xml.text().trimmed().size());
            if (textLength > MaxTextLength) {
                scan.problem = u"there is more than %1 characters of text"_s.arg(MaxTextLength);
                return scan;
            }
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            scan.problem = u"document type declarations and entities are not allowed"_s;
            return scan;
        case QXmlStreamReader::ProcessingInstruction:
            scan.problem = u"processing instructions are not allowed"_s;
            return scan;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        // The wrapper adds no lines, so the reader's line is the block's line.
        scan.problem = u"the SVG markup is not well-formed (%1, line %2 of the block)"_s.arg(
            xml.errorString(), QString::number(xml.lineNumber()));
    }
    return scan;
}

QString SvgGuard::problemInTransform(const QString &transform)
{
    static const QRegularExpression shape(
        u"^\\s*(?:(?:matrix|translate|scale|rotate|skewX|skewY)\\s*\\([-+0-9.eE,\\s]*\\)\\s*,?\\s*)+$"_s);
    if (!shape.match(transform).hasMatch())
        return u"\"%1\" is not a transform: use translate(x,y), rotate(a,x,y), scale(s), skewX(a), "
               "skewY(a) or matrix(...)"_s.arg(transform);
    return problemInNumbers(transform);
}

QString SvgGuard::problemInLinks(const QSet<QString> &linkTargets, const QSet<QString> &idsWithLinks)
{
    for (const QString &target : linkTargets) {
        if (idsWithLinks.contains(target))
            return u"the element \"#%1\" is linked to but links again itself; links may not be chained"_s.arg(
                target);
    }
    return {};
}

} // namespace velmora::agent
