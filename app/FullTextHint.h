#pragma once

class QLineEdit;

namespace velmora {

// A fixed-size box that cannot show the whole of its text ("Verb
// transitive, intransitive" in the word-type box) gives the whole text as
// its tooltip and accessible description; a text that fits leaves both
// empty, so nothing repeats what is plainly shown.
class FullTextHint {
public:
    // Call after each change of the box's text.
    static void update(QLineEdit &box);
    // Whether the box can show all of its text at once.
    static bool fits(const QLineEdit &box);
};

} // namespace velmora
