#pragma once
#include <QAbstractTableModel>
#include <QSet>
#include <memory>

#include "ado/Recordset.h"

namespace querimo::exec {

// A record set as a table for a grid view. Rows are read from the record set when the view asks for them,
// and the view learns of them in batches as it scrolls (fetchMore), so a result of any size is shown at once,
// nothing is copied and the view keeps no bookkeeping for rows nobody has scrolled to. Of a record set whose
// rows are still arriving it shows those read so far, and never waits for more.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RecordsetModel(QObject* parent = nullptr);

    // Shows rs (null: nothing). Resets alignment and editability.
    void Koppelen(std::shared_ptr<ado::Recordset> rs);
    const std::shared_ptr<ado::Recordset>& Recordset() const { return rs_; }

    // More rows of the record set were read: the first batch shows them, later ones come as the view scrolls.
    void RijenBijgekomen();

    void RechtsUitlijnen(int kolom);
    // Lets the user type text into this column (detached record sets only).
    void KolomBewerkbaar(int kolom);

    // Rows handed to the view at a time.
    static constexpr int Partij = 256;

    int rowCount(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    bool Open() const;
    int Totaal() const;

    std::shared_ptr<ado::Recordset> rs_;
    QSet<int> rechts_;
    QSet<int> bewerkbaar_;
    int gehaald_ = 0;  // rows the view knows of
};

}  // namespace querimo::exec
