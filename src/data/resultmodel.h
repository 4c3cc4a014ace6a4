#pragma once

#include <QAbstractTableModel>

namespace data {

class Dataset;

// One field of every row of a dataset's result, as a one-column table for a
// title grid. It resets whenever the dataset opens or closes; values are
// read only for the rows a view asks about.
class ResultModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultModel)

public:
    ResultModel(Dataset *dataset, const QString &field, const QString &title, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void refresh();

    Dataset *m_dataset;
    QString m_field;
    QString m_title;
    int m_column = -1;
    int m_rows = 0;
};

} // namespace data
