#pragma once

// The results table: one row per evaluated record, sixteen columns; cell colours
// are worked out whenever a cell is drawn.

#include <QAbstractTableModel>

namespace mirvane {

class CMirvaneDoc;

class CResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CResultsModel(const CMirvaneDoc &doc, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void Refill();

private:
    const CMirvaneDoc &m_doc;
};

} // namespace mirvane
