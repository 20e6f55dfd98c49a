#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace velmora {

// The options Velmora answers in the terminal, without a window: --help,
// --version, --lookup WORD and --hindi WORD. Needs a QCoreApplication (for
// the program's folder), never a GUI application.
class CommandLine {
public:
    // Exit statuses.
    static constexpr int kFound = 0;
    static constexpr int kNotFound = 1;
    static constexpr int kUsage = 2;
    static constexpr int kNoData = 3; // the dictionary could not be read

    struct Outcome {
        std::optional<int> exitStatus; // set when answered: the program ends with it
        QString platform; // -platform NAME, for the window's start
        QString display; // -display NAME: the X display to use instead of DISPLAY
    };

    // `arguments` starts with the program. Writes answers to `out`, errors
    // and usage to `err`.
    static Outcome run(const QStringList &arguments, QTextStream &out, QTextStream &err);
};

} // namespace velmora
