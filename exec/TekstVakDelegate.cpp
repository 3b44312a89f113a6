#include "exec/TekstVakDelegate.h"

#include <QLineEdit>

namespace querimo::exec {

TekstVakDelegate::TekstVakDelegate(int maxLength, QObject* parent) : QStyledItemDelegate(parent), maxLength_(maxLength) {}

QWidget* TekstVakDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* regel = new QLineEdit(parent);
    regel->setMaxLength(maxLength_);
    regel->setFrame(false);
    open_ = regel;
    return regel;
}

void TekstVakDelegate::Vastleggen()
{
    if (open_) emit commitData(open_);
}

}  // namespace querimo::exec
