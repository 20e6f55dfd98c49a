#pragma once

#include "dictionary/DictionaryView.h"

#include <functional>

// Test double for the main window's controls: plain values, and the
// selection handler run from setSelectedIndex() as the real list does.
class FakeDictionaryView : public velmora::DictionaryView {
public:
    void insertItems(int position, int count, std::function<QString(int)> textAt) override
    {
        for (int k = 0; k < count; ++k)
            items.insert(position + k, textAt(k));
    }
    QString itemText(int position) const override { return items.value(position); }
    int selectedIndex() const override { return selected; }
    void setSelectedIndex(int position) override
    {
        selected = position;
        ++selections;
        if (onSelect)
            onSelect();
    }
    QString selectedText() const override { return items.value(selected); }
    QString searchText() const override { return search; }
    void setMeaning(const QString &text) override { meaning = text; }
    void setWordType(const QString &text) override { wordType = text; }
    void setExample(const QString &text) override { example = text; }
    void setCopyCaption(const QString &text) override { copyCaption = text; }
    void popupCopyMenu() override { ++popups; }
    void clearClipboard() override
    {
        clipboard.clear();
        ++clipboardClears;
    }
    void setClipboardText(const QString &text) override { clipboard = text; }

    QStringList items;
    int selected = -1;
    int selections = 0;
    std::function<void()> onSelect;
    QString search;
    QString meaning, wordType, example;
    QString copyCaption = QStringLiteral("Copy Text");
    int popups = 0;
    QString clipboard;
    int clipboardClears = 0;
};
