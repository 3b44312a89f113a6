#include "exec/TekstVakDelegate.h"

#include <QLineEdit>

namespace querimo::exec {

TekstVakDelegate::TekstVakDelegate(int maxLength, QObject* parent) : QStyledItemDelegate(parent), maxLength_(maxLength)
{}

QWidget* TekstVakDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* regel = new QLineEdit(parent);
    regel->setMaxLength(maxLength_);
    regel->setFrame(false);
    return regel;
}

}  // namespace querimo::exec
