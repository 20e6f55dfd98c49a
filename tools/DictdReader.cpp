#include "tools/DictdReader.h"

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace velmora::dicbuild {

bool decodeDictdNumber(std::string_view text, std::uint64_t &value)
{
    if (text.empty() || text.size() > 10)
        return false;
    std::uint64_t v = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= 'A' && c <= 'Z')
            digit = c - 'A';
        else if (c >= 'a' && c <= 'z')
            digit = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            digit = c - '0' + 52;
        else if (c == '+')
            digit = 62;
        else if (c == '/')
            digit = 63;
        else
            return false;
        v = v * 64 + static_cast<std::uint64_t>(digit);
    }
    value = v;
    return true;
}

std::vector<IndexEntry> parseIndex(std::string_view text)
{
    std::vector<IndexEntry> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t tab1 = line.find('\t');
        if (tab1 == std::string_view::npos)
            continue;
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos)
            continue;
        IndexEntry e;
        e.key = std::string(line.substr(0, tab1));
        if (!decodeDictdNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), e.offset)
            || !decodeDictdNumber(line.substr(tab2 + 1), e.length))
            continue;
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<std::string> entryTexts(const std::vector<IndexEntry> &index, std::string_view dict)
{
    std::vector<std::string> texts;
    texts.reserve(index.size());
    for (const IndexEntry &e : index) {
        if (e.key.starts_with("00database") || e.key.starts_with("00-database"))
            continue;
        if (e.offset > dict.size() || e.length > dict.size() - e.offset)
            continue;
        texts.emplace_back(dict.substr(e.offset, e.length));
    }
    return texts;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        throw std::runtime_error("cannot read " + path);
    return std::move(buffer).str();
}

std::string readGzipFile(const std::string &path)
{
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::string out;
    char buffer[1 << 16];
    for (;;) {
        const int got = gzread(file, buffer, sizeof buffer);
        if (got < 0) {
            int err = 0;
            const std::string message = gzerror(file, &err);
            gzclose(file);
            throw std::runtime_error("cannot inflate " + path + ": " + message);
        }
        if (got == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    gzclose(file);
    return out;
}

} // namespace velmora::dicbuild
