#include "agent/SettingsDocument.h"

using namespace Qt::StringLiterals;

namespace velmora::agent {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView withoutLeadingBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    return text;
}

qsizetype indexOfUnescaped(QStringView text, QChar wanted)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == wanted)
            return i;
    }
    return -1;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Decodes the escapes and drops blanks at either end, except escaped ones.
QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype kept = 0; // length up to the last character that is not a plain blank
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar e = text[++i];
            if (e == u'n') {
                out += u'\n';
            } else if (e == u'r') {
                out += u'\r';
            } else if (e == u't') {
                out += u'\t';
            } else if (e == u'u') {
                int unit = 0;
                bool ok = i + 4 < text.size();
                for (qsizetype k = 1; ok && k <= 4; ++k) {
                    const int digit = hexDigit(text[i + k]);
                    ok = digit >= 0;
                    unit = unit * 16 + digit;
                }
                if (ok) {
                    out += QChar(char16_t(unit));
                    i += 4;
                } else {
                    out += e;
                }
            } else {
                out += e;
            }
            kept = out.size();
        } else if (isBlank(c)) {
            if (!out.isEmpty())
                out += c;
        } else {
            out += c;
            kept = out.size();
        }
    }
    out.truncate(kept);
    return out;
}

// Escapes what a reader would otherwise misread: backslashes, line breaks
// and other controls, unpaired surrogates (UTF-8 cannot carry them), blanks
// at either end, and the characters in `specials`.
QString escaped(QStringView text, QStringView specials)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c == u'\\') {
            out += u"\\\\";
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c == u'\t') {
            out += u"\\t";
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate()) {
            out += u"\\u"_s + QString::number(c.unicode(), 16).rightJustified(4, u'0');
        } else if ((c == u' ' && (i == 0 || i == text.size() - 1)) || specials.contains(c)) {
            out += u'\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

QString escapedName(const QString &name)
{
    return escaped(name, u"=;#[]/");
}

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

} // namespace

SettingsDocument::SettingsDocument(const QByteArray &content)
{
    QList<QByteArray> raws = content.split('\n');
    if (raws.constLast().isEmpty()) // text that ends with a line break, or none at all
        raws.removeLast();
    m_lines.reserve(raws.size());
    qsizetype current = -1; // the header of the section being read
    for (const QByteArray &raw : std::as_const(raws)) {
        m_lines.append(parse(raw, m_lines.isEmpty(), current >= 0 ? &m_lines.at(current) : nullptr));
        const Line::Kind kind = m_lines.constLast().kind;
        if (kind == Line::Header)
            current = m_lines.size() - 1;
        else if (kind == Line::BadHeader)
            current = -1;
    }
}

SettingsDocument::Line SettingsDocument::parse(const QByteArray &raw, bool firstLine, const Line *header)
{
    Line line;
    line.raw = raw;
    QString decoded = QString::fromUtf8(raw);
    if (firstLine && decoded.startsWith(QChar(0xfeff)))
        decoded.remove(0, 1);
    if (decoded.endsWith(u'\r'))
        decoded.chop(1);
    // Blanks at the end stay for unescaped(): they may be escaped ones.
    const QStringView text = withoutLeadingBlanks(decoded);
    if (text.isEmpty() || text.front() == u';' || text.front() == u'#')
        return line;

    if (text.front() == u'[') {
        line.kind = Line::BadHeader;
        QStringView inner = text.sliced(1);
        while (!inner.isEmpty() && isBlank(inner.back()))
            inner.chop(1);
        const qsizetype close = indexOfUnescaped(inner, u']');
        if (close < 0 || close != inner.size() - 1)
            return line;
        const QStringView names = inner.chopped(1);
        const qsizetype slash = indexOfUnescaped(names, u'/');
        if (slash < 0)
            return line;
        line.kind = Line::Header;
        line.application = unescaped(names.first(slash));
        line.section = unescaped(names.sliced(slash + 1));
        return line;
    }

    const qsizetype equals = indexOfUnescaped(text, u'=');
    if (equals < 0 || !header)
        return line;
    line.kind = Line::Entry;
    line.application = header->application;
    line.section = header->section;
    line.key = unescaped(text.first(equals));
    line.value = unescaped(text.sliced(equals + 1));
    return line;
}

SettingsDocument::Line SettingsDocument::header(const QString &application, const QString &section)
{
    Line line;
    line.kind = Line::Header;
    line.application = application;
    line.section = section;
    line.raw = (u'[' + escapedName(application) + u'/' + escapedName(section) + u']').toUtf8();
    return line;
}

SettingsDocument::Line SettingsDocument::entry(const Line &header, const QString &key, const QString &value)
{
    Line line;
    line.kind = Line::Entry;
    line.application = header.application;
    line.section = header.section;
    line.key = key;
    line.value = value;
    line.raw = (escapedName(key) + u'=' + escaped(value, {})).toUtf8();
    return line;
}

bool SettingsDocument::inSection(const Line &line, const QString &application, const QString &section)
{
    return sameName(line.application, application) && sameName(line.section, section);
}

std::optional<QString> SettingsDocument::value(
    const QString &application, const QString &section, const QString &key) const
{
    for (const Line &line : m_lines) {
        if (line.kind == Line::Entry && inSection(line, application, section) && sameName(line.key, key))
            return line.value;
    }
    return std::nullopt;
}

void SettingsDocument::setValue(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    // One pass that keeps the first matching entry and closes the gaps of the
    // later ones as it goes: a file of many duplicates costs no more than a
    // file of as many other lines.
    qsizetype found = -1;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Line::Entry && inSection(line, application, section) && sameName(line.key, key)) {
            if (found >= 0)
                continue;
            found = kept;
        }
        if (kept != i)
            m_lines[kept] = std::move(m_lines[i]);
        ++kept;
    }
    m_lines.resize(kept);
    if (found >= 0) {
        Line &line = m_lines[found];
        line = entry(line, line.key, value);
        return;
    }

    for (qsizetype h = 0; h < m_lines.size(); ++h) {
        if (m_lines.at(h).kind != Line::Header || !inSection(m_lines.at(h), application, section))
            continue;
        qsizetype at = h + 1;
        for (qsizetype i = h + 1; i < m_lines.size(); ++i) {
            const Line::Kind kind = m_lines.at(i).kind;
            if (kind == Line::Header || kind == Line::BadHeader)
                break;
            if (kind == Line::Entry)
                at = i + 1;
        }
        m_lines.insert(at, entry(m_lines.at(h), key, value));
        return;
    }

    if (!m_lines.isEmpty() && !m_lines.constLast().raw.trimmed().isEmpty())
        m_lines.append(Line {}); // a blank line between sections, for the human reader
    m_lines.append(header(application, section));
    m_lines.append(entry(m_lines.constLast(), key, value));
}

QByteArray SettingsDocument::toByteArray() const
{
    QByteArray out;
    for (const Line &line : m_lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

} // namespace velmora::agent
