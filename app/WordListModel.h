#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace velmora {

// The word list's items: read-only text at explicit positions.
class WordListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void insertItems(int position, const QStringList &items);
    // The empty text for a position the list does not have.
    QString itemText(int position) const { return m_items.value(position); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QStringList m_items;
};

} // namespace velmora
