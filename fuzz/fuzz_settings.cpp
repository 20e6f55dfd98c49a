// Any bytes as settings.ini, and a value from the input stored into it:
// what is set reads back, a document written and read again is the same,
// and values outside the one being set are kept.
#include "agent/SettingsDocument.h"

#include <cstdint>
#include <cstdlib>

using velmora::agent::SettingsDocument;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input is the file; after its last NUL byte, if any, the value to store.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.lastIndexOf('\0');
    const QByteArray file = split < 0 ? input : input.first(split);
    const QString value
        = split < 0 ? QStringLiteral("oolo.vchar") : QString::fromUtf8(input.sliced(split + 1));

    const SettingsDocument before(file);
    // Unchanged, the document gives back the file's own bytes, line ends made whole.
    QByteArray expected = file;
    if (!expected.isEmpty() && !expected.endsWith('\n'))
        expected += '\n';
    check(before.toByteArray() == expected);

    const auto index = before.value(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("LIndex"));
    const auto other = before.value(QStringLiteral("Other"), QStringLiteral("Part"), QStringLiteral("Name"));

    SettingsDocument after(file);
    after.setValue(QStringLiteral("dic"), QStringLiteral("CHID"), QStringLiteral("name"), value);
    check(after.value(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("Name")) == value);
    check(after.value(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("LIndex")) == index);
    check(after.value(QStringLiteral("Other"), QStringLiteral("Part"), QStringLiteral("Name")) == other);

    // Written and read again: the same value, and the same bytes once more.
    const QByteArray written = after.toByteArray();
    const SettingsDocument reread(written);
    check(reread.value(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("Name")) == value);
    check(reread.value(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("LIndex")) == index);
    check(reread.toByteArray() == written);

    // Setting the same value again changes nothing.
    SettingsDocument again(written);
    again.setValue(QStringLiteral("Dic"), QStringLiteral("ChID"), QStringLiteral("Name"), value);
    check(again.toByteArray() == written);
    return 0;
}
