#pragma once

#include "tools/Selection.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// "headword||code||meaning||example" followed by CR LF. Throws
// std::invalid_argument when a field holds "|", a byte outside printable
// ASCII, or when the headword, code or meaning is empty.
std::string formatLine(const DicEntry &entry);

// Whether a text can be a field: printable ASCII without "|".
bool isPrintableField(std::string_view field);

// All lines, each ending with CR LF, the last one included.
std::string formatFile(const std::vector<DicEntry> &lines);

} // namespace velmora::dicbuild
