#include "windows/FileListBox.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>

#include <algorithm>

namespace velmora {

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

void FileListBox::setFolder(const QString &folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        throw Error(ErrorNumber::PathNotFound, QStringLiteral("Path not found"));
    // Without QDir::Hidden, hidden (dot) files are left out.
    QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    clear();
    addItems(names);
    setCurrentRow(-1);
}

int FileListBox::selectedIndex() const
{
    const QList<QListWidgetItem *> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

void FileListBox::setSelectedIndex(int position)
{
    if (position < -1 || position >= count())
        throw Error(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    if (position == -1) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    scrollToItem(currentItem());
}

QString FileListBox::itemText(int position) const
{
    const QListWidgetItem *entry = item(position);
    return entry ? entry->text() : QString();
}

} // namespace velmora
