#pragma once
#include <QStyledItemDelegate>

namespace querimo::exec {

// Cell editing with a line of at most maxLength characters, the size of the text field behind the cell.
class TekstVakDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TekstVakDelegate(int maxLength, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int maxLength_;
};

}  // namespace querimo::exec
