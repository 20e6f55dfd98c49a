#include "tools/DictdReader.h"

#include "tools/Utf8.h"

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
    static constexpr std::string_view digits
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::uint64_t v = 0;
    for (char c : text) {
        const std::size_t digit = digits.find(c);
        if (digit == std::string_view::npos)
            return false;
        v = v * 64 + digit;
    }
    value = v;
    return true;
}

std::vector<IndexEntry> parseIndex(std::string_view text)
{
    std::vector<IndexEntry> entries;
    for (std::string_view line : splitText(text, "\n")) {
        if (line.ends_with('\r'))
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

void writeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
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
