#pragma once
#include <QObject>
#include <QString>
#include <vector>

#include "ado/Connection.h"

namespace querimo::structure {

// One line of the structure tree; a node's parent comes before it.
struct Knoop {
    QString ouder;  // key of the parent; empty for a top folder
    QString sleutel;
    QString tekst;
    QString beeld;              // image key
    bool eersteKind = false;    // the first table or view: its folder opens and it scrolls into view
};

enum class Beeld { Velden, Indexen };

// What the structure tree shows: tables and views with their fields, or tables with their indexes.
class Struktuur : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    Beeld Modus() const { return modus_; }
    void ZetModus(Beeld modus);

    // The tree read from the schema. A schema that cannot be read ends the list where it stopped.
    std::vector<Knoop> Lezen(ado::Connection& verbinding) const;

signals:
    void ModusGewijzigd();

private:
    Beeld modus_ = Beeld::Velden;
};

}  // namespace querimo::structure
