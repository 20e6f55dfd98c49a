#include "app/WordListModel.h"

namespace velmora {

void WordListModel::insertItems(int position, int count, std::function<QString(int)> textAt)
{
    if (count <= 0)
        return;
    position = std::clamp(position, 0, rowCount());
    beginInsertRows({}, position, position + count - 1);
    if (rowCount() == 0) {
        m_source = std::move(textAt);
        m_sourceCount = count;
    } else {
        materialize();
        for (int k = 0; k < count; ++k)
            m_items.insert(position + k, textAt(k));
    }
    endInsertRows();
}

void WordListModel::materialize()
{
    if (!m_source)
        return;
    m_items.reserve(m_sourceCount);
    for (int i = 0; i < m_sourceCount; ++i)
        m_items.append(m_source(i));
    m_source = nullptr;
    m_sourceCount = 0;
}

QString WordListModel::itemText(int position) const
{
    if (position < 0 || position >= rowCount())
        return {};
    return m_source ? m_source(position) : m_items.at(position);
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_source ? m_sourceCount : int(m_items.size());
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return itemText(index.row());
}

} // namespace velmora
