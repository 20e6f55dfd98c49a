// velmora-dicbuild: builds Complete.dic from the FreeDict English-Hindi
// dictionary (dictd format) and WordNet's tagged-sense counts, or romanizes
// Devanagari lines (--romanize). See data/README.md.

#include "tools/DictdReader.h"
#include "tools/DictionaryBuilder.h"
#include "tools/Romanizer.h"
#include "tools/WordFormsBuilder.h"

#include <exception>
#include <iostream>
#include <string>
#include <string_view>

namespace {

void usage(std::ostream &out)
{
    out << "usage: velmora-dicbuild [--index FILE] [--dict FILE.dz] [--wordnet DIR] [--overlay FILE]\n"
           "                        [--output FILE]\n"
           "       velmora-dicbuild --romanize  < devanagari-lines > roman-lines\n"
           "       velmora-dicbuild --wordforms FILE [--from Complete.dic] [--wordnet DIR]\n"
           "Defaults: --index /usr/share/dictd/freedict-eng-hin.index\n"
           "          --dict /usr/share/dictd/freedict-eng-hin.dict.dz\n"
           "          --wordnet /usr/share/wordnet  --output Complete.dic\n";
}

int romanizeLines()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::cout << velmora::dicbuild::romanize(line) << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    velmora::dicbuild::BuildSources sources;
    std::string output = "Complete.dic";
    std::string wordForms; // set: write the word-forms file instead
    std::string from = "Complete.dic";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--romanize") {
            return romanizeLines();
        } else if (arg == "--index" && hasValue) {
            sources.indexPath = argv[++i];
        } else if (arg == "--dict" && hasValue) {
            sources.dictPath = argv[++i];
        } else if (arg == "--wordnet" && hasValue) {
            sources.wordnetDir = argv[++i];
        } else if (arg == "--overlay" && hasValue) {
            sources.overlayPath = argv[++i];
        } else if (arg == "--output" && hasValue) {
            output = argv[++i];
        } else if (arg == "--wordforms" && hasValue) {
            wordForms = argv[++i];
        } else if (arg == "--from" && hasValue) {
            from = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            usage(std::cout);
            return 0;
        } else {
            usage(std::cerr);
            return 2;
        }
    }
    try {
        if (!wordForms.empty()) {
            velmora::dicbuild::writeFile(
                wordForms, velmora::dicbuild::buildWordForms(sources.wordnetDir, from));
            std::cerr << "wrote " << wordForms << '\n';
            return 0;
        }
        velmora::dicbuild::BuildReport report;
        velmora::dicbuild::writeFile(output, velmora::dicbuild::buildDictionary(sources, &report));
        std::cerr << "source entries " << report.sourceEntries << ", without Hindi meaning "
                  << report.withoutMeaning << ", merged " << report.merged << ", unknown part of speech "
                  << report.unknownPartOfSpeech << ", unparsed " << report.unparsed << '\n';
        std::cerr << "examples from WordNet " << report.examplesFromWordNet << ", from other entries "
                  << report.examplesFromOtherEntries << ", near-duplicate lines folded "
                  << report.nearDuplicates << ", overlay lines applied " << report.overlayChanged
                  << ", Roman spellings shared by two words " << report.collidingSpellings << " ("
                  << report.collidingBeyondRetroflex << " not counting retroflex pairs)\n";
        for (const auto &stale : report.staleOverlayLines)
            std::cerr << sources.overlayPath << ':' << stale.number << ": changes nothing: " << stale.headword
                      << ' ' << stale.code << '\n';
        for (const auto &l : report.letters)
            std::cerr << l.letter << ": " << l.places << " of " << l.candidates << '\n';
        std::cerr << "wrote " << output << '\n';
    } catch (const std::exception &e) {
        std::cerr << "velmora-dicbuild: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
