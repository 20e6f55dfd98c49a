#pragma once

#include <QString>

#include <optional>

namespace velmora::WordTypes {

// The shown name of a word-type code. Codes match whole, ignoring letter
// case on both sides, with no trimming: " n" and "noun" match nothing.
std::optional<QString> nameOf(const QString &code);

} // namespace velmora::WordTypes
