#include "Mirvane/views/CResultsModel.h"

#include "Mirvane/document/CMirvaneDoc.h"

#include <QColor>

namespace mirvane {

CResultsModel::CResultsModel(const CMirvaneDoc &doc, QObject *parent)
    : QAbstractTableModel(parent)
    , m_doc(doc)
{}

int CResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_doc.Records().size());
}

int CResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CResultsModel::data(const QModelIndex &index, int role) const
{
    const auto &records = m_doc.Records();
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= records.size())
        return {};
    const CSignal &record = records[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return QString::fromStdString(record.GetColumnText(index.column()));
    if (role == Qt::BackgroundRole) {
        const Colour c = record.GetColumnColour(index.column());
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    }
    if (role == Qt::ForegroundRole)
        return QColor(Qt::black);
    if (role == Qt::UserRole)
        return index.row();
    return {};
}

QVariant CResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromStdString(GetColumnTitle(section));
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CResultsModel::Refill()
{
    beginResetModel();
    endResetModel();
}

} // namespace mirvane
