#include "app/WordListModel.h"

namespace velmora {

void WordListModel::insertItems(int position, const QStringList &items)
{
    if (items.isEmpty())
        return;
    position = std::clamp(position, 0, int(m_items.size()));
    beginInsertRows({}, position, position + int(items.size()) - 1);
    if (m_items.isEmpty())
        m_items = items;
    else
        for (int i = 0; i < items.size(); ++i)
            m_items.insert(position + i, items.at(i));
    endInsertRows();
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_items.at(index.row());
    return {};
}

} // namespace velmora
