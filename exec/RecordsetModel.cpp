#include "exec/RecordsetModel.h"

#include <climits>

#include "core/ValueText.h"
#include "exec/FoutVan.h"

namespace querimo::exec {

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::Koppelen(std::shared_ptr<ado::Recordset> rs)
{
    beginResetModel();
    rs_ = std::move(rs);
    rechts_.clear();
    bewerkbaar_.clear();
    gehaald_ = std::min(Totaal(), Partij);
    endResetModel();
}

void RecordsetModel::RijenBijgekomen()
{
    const int tot = std::min(Totaal(), Partij);
    if (tot <= gehaald_) return;
    beginInsertRows({}, gehaald_, tot - 1);
    gehaald_ = tot;
    endInsertRows();
}

void RecordsetModel::RechtsUitlijnen(int kolom)
{
    rechts_.insert(kolom);
    if (rowCount() > 0) emit dataChanged(index(0, kolom), index(rowCount() - 1, kolom), {Qt::TextAlignmentRole});
}

void RecordsetModel::KolomBewerkbaar(int kolom)
{
    bewerkbaar_.insert(kolom);
}

bool RecordsetModel::Open() const
{
    return rs_ && rs_->State() == ado::ObjectState::Open;
}

int RecordsetModel::Totaal() const
{
    return Open() ? static_cast<int>(std::min<std::size_t>(rs_->RecordsSoFar(), INT_MAX)) : 0;
}

int RecordsetModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !Open()) return 0;
    return std::min(gehaald_, Totaal());
}

bool RecordsetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && Open() && gehaald_ < Totaal();
}

void RecordsetModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent)) return;
    const int erbij = std::min(Partij, Totaal() - gehaald_);
    beginInsertRows({}, gehaald_, gehaald_ + erbij - 1);
    gehaald_ += erbij;
    endInsertRows();
}

int RecordsetModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !Open()) return 0;
    return static_cast<int>(rs_->fieldInfo().size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !Open()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((rechts_.contains(index.column()) ? Qt::AlignRight : Qt::AlignLeft)
                                   | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    QString tekst;
    // A row that cannot be read (a damaged page) shows its reason instead of its value.
    const std::optional<QString> fout = FoutVan([&] {
        const Value v = rs_->valueAt(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()));
        if (!v.isNull()) tekst = QString::fromStdString(displayText(v));
    });
    return fout ? *fout : tekst;
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !Open()) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount()) return {};
        return QString::fromStdString(rs_->fieldInfo()[static_cast<std::size_t>(section)].name);
    }
    return section + 1;
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && bewerkbaar_.contains(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool RecordsetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !Open() || !bewerkbaar_.contains(index.column())) return false;
    try {
        rs_->Move(static_cast<std::size_t>(index.row()));
        rs_->GetFields()
            .Item(static_cast<std::size_t>(index.column()))
            .SetValue(Value::text(value.toString().toStdString()));
    } catch (...) {
        return false;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

}  // namespace querimo::exec
