// Any bytes as Complete.dic: the loader cuts them into lines, every line is
// listed, and the search and the entry display run over what was loaded.
#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryLookup.h"
#include "dictionary/DictionaryView.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

// The main window's controls, reduced to what the logic reads back.
class View : public velmora::DictionaryView {
public:
    void insertItems(int position, int count, std::function<QString(int)> textAt) override
    {
        if (position != 0 || !m_items.isEmpty())
            std::abort();
        m_count = count;
        m_textAt = std::move(textAt);
    }
    QString itemText(int position) const override
    {
        return position >= 0 && position < m_count ? m_textAt(position) : QString();
    }
    int selectedIndex() const override { return m_selected; }
    void setSelectedIndex(int position) override
    {
        m_selected = position;
        if (onSelect)
            onSelect();
    }
    QString selectedText() const override { return itemText(m_selected); }
    QString searchText() const override { return search; }
    void setMeaning(const QString &text) override { shown(text); }
    void setWordType(const QString &text) override { shown(text); }
    void setExample(const QString &text) override { shown(text); }
    void setCopyCaption(const QString &) override { }
    void popupCopyMenu() override { }
    void clearClipboard() override { }
    void setClipboardText(const QString &) override { }

    QString search;
    std::function<void()> onSelect;

private:
    static void shown(const QString &text)
    {
        // What reaches an entry box is cut to a readable length.
        if (text.size() > 4096)
            std::abort();
    }

    QList<QString> m_items;
    int m_count = 0;
    std::function<QString(int)> m_textAt;
    int m_selected = -1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    velmora::DictionaryLines lines(bytes);

    // Lines never hold a line end, and together with their ends make up the input.
    qsizetype total = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines.bytesAt(i);
        if (line.contains('\r') || line.contains('\n'))
            std::abort();
        total += line.size();
    }
    if (total > bytes.size() || (bytes.isEmpty() != (lines.size() == 0)))
        std::abort();

    View view;
    velmora::DictionaryLookup lookup(view);
    view.onSelect = [&] { lookup.List1_Click(); };
    lookup.LoadLines(std::move(lines));
    view.setSelectedIndex(0);

    // Search for the first letters of a few lines, as a user would type them.
    for (int i = 0; i < lookup.lines().size() && i < 3; ++i) {
        const QString word = lookup.headword(i);
        for (qsizetype n = 1; n <= std::min<qsizetype>(word.size(), 2); ++n) {
            view.search = word.left(n);
            lookup.Text1_Change();
        }
    }
    lookup.List1_MouseDown(2);
    lookup.MCopy_Click();
    return 0;
}
