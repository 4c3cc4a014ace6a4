#include "resultmodel.h"

#include "dataset.h"

namespace data {

ResultModel::ResultModel(Dataset *dataset, const QString &field, const QString &title, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset)
    , m_field(field)
    , m_title(title)
{
    connect(dataset, &Dataset::resultChanged, this, &ResultModel::refresh);
    refresh();
}

void ResultModel::refresh()
{
    beginResetModel();
    m_column = m_dataset->isOpen() ? m_dataset->result().columnIndex(m_field) : -1;
    m_rows = m_column >= 0 ? m_dataset->result().rowCount() : 0;
    endResetModel();
}

int ResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant ResultModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_dataset->result().text(index.row(), m_column);
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(m_title) : QVariant();
    return {};
}

Qt::ItemFlags ResultModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace data
