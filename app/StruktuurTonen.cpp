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
    const std::vector<querimo::structure::Knoop> lijst = struktuur.Lezen(database.Verbinding);
    // The items are made apart from the tree and go in per parent at once: an item added to the tree one by
    // one, or changed once in it, makes the view take note each time, which for 10,000 tables is seconds.
    QHash<QString, QTreeWidgetItem*> knopen;
    QList<QTreeWidgetItem*> mappen;
    QHash<QTreeWidgetItem*, QList<QTreeWidgetItem*>> kinderen;
    QList<QTreeWidgetItem*> ouders;  // in the order they got their first child
    std::vector<std::pair<QTreeWidgetItem*, QTreeWidgetItem*>> openen;  // a folder and its first child
    QHash<QString, QIcon> beelden;  // one icon per image, shared by its nodes, not read again for each
    knopen.reserve(static_cast<qsizetype>(lijst.size()));
    for (const querimo::structure::Knoop& knoop : lijst) {
        QTreeWidgetItem* ouder = knopen.value(knoop.ouder);
        auto* node = new QTreeWidgetItem;
        node->setText(0, knoop.tekst);
        node->setToolTip(0, knoop.tekst);  // a long name with its type word is cut off by the tree's width
        node->setData(0, Qt::UserRole, knoop.sleutel);
        node->setData(0, Qt::UserRole + 1, knoop.beeld);
        auto beeld = beelden.find(knoop.beeld);
        if (beeld == beelden.end()) beeld = beelden.insert(knoop.beeld, imlKnoppen.Icon(knoop.beeld));
        node->setIcon(0, *beeld);
        knopen.insert(knoop.sleutel, node);
        if (!ouder) {
            mappen.append(node);
            continue;
        }
        QList<QTreeWidgetItem*>& broers = kinderen[ouder];
        if (broers.isEmpty()) ouders.append(ouder);
        broers.append(node);
        if (knoop.eersteKind) openen.emplace_back(ouder, node);
    }
    for (QTreeWidgetItem* ouder : ouders) ouder->addChildren(kinderen.value(ouder));
    treStruktuur->addTopLevelItems(mappen);
    for (const auto& [map, eerste] : openen) {
        map->setExpanded(true);
        treStruktuur->scrollToItem(eerste);
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
