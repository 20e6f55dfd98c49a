#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <functional>

namespace velmora {

// The word list's items: read-only text at explicit positions.
class WordListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Inserts `count` items whose texts textAt(k) gives on demand.
    void insertItems(int position, int count, std::function<QString(int)> textAt);
    // The empty text for a position the list does not have.
    QString itemText(int position) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    void materialize();

    // The items are either lazy (a source and a count, as after the one
    // bulk insert of a load) or held as texts.
    std::function<QString(int)> m_source;
    int m_sourceCount = 0;
    QStringList m_items;
};

} // namespace velmora
