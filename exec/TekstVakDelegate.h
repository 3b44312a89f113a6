#pragma once
#include <QPointer>
#include <QStyledItemDelegate>

class QLineEdit;

namespace querimo::exec {

// Cell editing with a line of at most maxLength characters, the size of the text field behind the cell.
class TekstVakDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TekstVakDelegate(int maxLength, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Writes the text of a cell that is still being edited to the model, so nothing typed is lost
    // when the dialog is confirmed straight from the cell.
    void Vastleggen();

private:
    int maxLength_;
    mutable QPointer<QLineEdit> open_;
};

}  // namespace querimo::exec
