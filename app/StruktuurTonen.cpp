// The structure tree: tables and views with their fields, or tables with their indexes.
#include <QApplication>
#include <QHash>
#include <QTreeWidget>

#include "app/Routines.h"
#include "app/frmQuerimo.h"

namespace {

// Keeps the caller's pointer shape and shows the hourglass until the rebuild ends, however it ends.
struct Hourglass {
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void frmQuerimo::StruktuurVullen()
{
    if (!database.Open()) return;
    Hourglass hourglass;
    treStruktuur->clear();
    QHash<QString, QTreeWidgetItem*> knopen;
    for (const querimo::structure::Knoop& knoop : struktuur.Lezen(database.Verbinding)) {
        QTreeWidgetItem* ouder = knopen.value(knoop.ouder);
        auto* node = ouder ? new QTreeWidgetItem(ouder) : new QTreeWidgetItem(treStruktuur);
        node->setText(0, knoop.tekst);
        node->setToolTip(0, knoop.tekst);  // a long name with its type word is cut off by the tree's width
        node->setData(0, Qt::UserRole, knoop.sleutel);
        node->setData(0, Qt::UserRole + 1, knoop.beeld);
        node->setIcon(0, imlKnoppen.Icon(knoop.beeld));
        knopen.insert(knoop.sleutel, node);
        if (knoop.eersteKind && ouder) {
            ouder->setExpanded(true);
            treStruktuur->scrollToItem(node);
        }
    }
}

void frmQuerimo::BeeldVelden()
{
    struktuur.ZetModus(querimo::structure::Beeld::Velden);
    Routines::SetTag(treStruktuur, "fields");
    StruktuurVullen();
}

void frmQuerimo::BeeldIndexen()
{
    struktuur.ZetModus(querimo::structure::Beeld::Indexen);
    Routines::SetTag(treStruktuur, "indexes");
    StruktuurVullen();
}
