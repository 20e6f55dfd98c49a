#include "dictionary/DictionaryLookup.h"

#include "base/ErrorBlock.h"
#include "base/ErrorNumbers.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/EntryDisplay.h"
#include "dictionary/LetterRanges.h"
#include "dictionary/TextOps.h"

namespace velmora {

namespace {
const QString kSeparator = QStringLiteral("||");
constexpr int kRightButton = 2;

Error subscriptOutOfRange()
{
    return Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}
} // namespace

DictionaryLookup::DictionaryLookup(DictionaryView &view)
    : m_view(view)
{
}

void DictionaryLookup::LoadDictionary(const QString &path)
{
    Lines = DictionaryFile::readLines(path);
    m_view.insertItems(0, Lines.size(), [this](int i) { return headword(i); });
}

QString DictionaryLookup::headword(int i) const
{
    // An empty line has no field 0; it is listed as an empty item so that
    // every later line keeps its position.
    return EntryDisplay::headword(Lines.bytesAt(i));
}

void DictionaryLookup::SetLetterRange(const QString &letter)
{
    LetterRange range;
    if (LetterRanges::lookup(letter, range)) {
        RangeStart = range.start;
        RangeEnd = range.end;
    }
}

void DictionaryLookup::Text1_Change()
{
    const QString typed = m_view.searchText();
    if (typed.isEmpty())
        return;
    SetLetterRange(typed.left(1).toUpper());

    const QString wanted = typed.toLower();
    for (int i = RangeStart; i <= RangeEnd; ++i) {
        // A shorter item never matches: its whole text cannot equal `wanted`.
        if (m_view.itemText(i).left(typed.size()).toLower() == wanted) {
            m_view.setSelectedIndex(i);
            return;
        }
    }
}

QString DictionaryLookup::field(int index) const
{
    if (index >= Fields.size())
        throw subscriptOutOfRange();
    return Fields.at(index);
}

void DictionaryLookup::List1_Click()
{
    // A short line leaves parts of the previous entry on screen: each step
    // that fails is skipped.
    ErrorBlock on = ErrorBlock::skipEach();
    on.step([&] {
        const int selected = m_view.selectedIndex();
        if (selected < 0 || selected >= Lines.size())
            throw subscriptOutOfRange();
        Fields = text::split(Lines.at(selected), kSeparator);
    });
    on.step([&] { m_view.setMeaning(EntryDisplay::meaning(field(2))); });
    on.step([&] { m_view.setExample(EntryDisplay::example(field(3))); });
    on.step([&] {
        if (const auto name = EntryDisplay::wordType(field(1)))
            m_view.setWordType(*name);
    });
    on.step(
        [&] { m_view.setCopyCaption(QStringLiteral("Copy \"") + m_view.selectedText() + QLatin1Char('"')); });
}

void DictionaryLookup::List1_MouseDown(int button)
{
    if (button == kRightButton)
        m_view.popupCopyMenu();
}

void DictionaryLookup::MCopy_Click()
{
    m_view.clearClipboard();
    m_view.setClipboardText(m_view.selectedText());
}

} // namespace velmora
