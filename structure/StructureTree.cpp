// The structure tree: tables and views with their fields, or tables with their indexes.
#include <QAction>
#include <QApplication>
#include <QTreeWidget>
#include <array>
#include <optional>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "core/Error.h"
#include "structure/TypeWords.h"

namespace {

using querimo::Value;
using querimo::ado::Recordset;
using Restrictions = std::vector<std::optional<std::string>>;

Value field(Recordset& rs, const char* name)
{
    return rs.GetFields().Item(name).GetValue();
}

QString textOf(const Value& v)
{
    return QString::fromStdString(v.bytes);
}

long long numberOf(const Value& v)
{
    switch (v.kind) {
    case Value::Kind::Single:
    case Value::Kind::Double: return static_cast<long long>(v.real);
    case Value::Kind::Text: return QString::fromStdString(v.bytes).toLongLong();
    default: return v.integer;
    }
}

// Keeps the caller's pointer shape and shows the hourglass until the rebuild ends, however it ends.
struct Hourglass {
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

QTreeWidgetItem* frmQuerimo::KnoopToevoegen(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                            const QString& image)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(treStruktuur);
    node->setText(0, text);
    node->setData(0, Qt::UserRole, key);
    node->setData(0, Qt::UserRole + 1, image);
    node->setIcon(0, imlKnoppen.Icon(image));
    return node;
}

void frmQuerimo::StruktuurVullen()
{
    if (HuidigeDb.isEmpty()) return;
    Hourglass hourglass;
    const bool fields = Routines::Tag(treStruktuur) == "fields";
    try {
        treStruktuur->clear();
        QTreeWidgetItem* tables = KnoopToevoegen(nullptr, "Tables", "Tables", "folder");
        auto rs = Verbinding.OpenSchema(querimo::ado::adSchemaTables, Restrictions{{}, {}, {}, "TABLE"});
        for (int t = 1; !rs->Eof(); ++t, rs->MoveNext()) {
            const QString name = textOf(field(*rs, "table_name"));
            const QString key = "T" + QString::number(t);
            QTreeWidgetItem* node = KnoopToevoegen(tables, key, name, "table");
            if (t == 1) {
                tables->setExpanded(true);
                treStruktuur->scrollToItem(node);
            }
            if (fields)
                VeldenToevoegen(node, key, name);
            else
                IndexenToevoegen(node, key, name);
        }
        rs->Close();
        if (fields) {
            rs = Verbinding.OpenSchema(querimo::ado::adSchemaTables, Restrictions{{}, {}, {}, "VIEW"});
            if (!rs->Eof()) {
                QTreeWidgetItem* views = KnoopToevoegen(nullptr, "Views", "Views", "folder");
                for (int v = 1; !rs->Eof(); ++v, rs->MoveNext()) {
                    const QString name = textOf(field(*rs, "table_name"));
                    const QString key = "V" + QString::number(v);
                    QTreeWidgetItem* node = KnoopToevoegen(views, key, name, "view");
                    if (v == 1) {
                        views->setExpanded(true);
                        treStruktuur->scrollToItem(node);
                    }
                    VeldenToevoegen(node, key, name);
                }
            }
            rs->Close();
        }
    } catch (const std::exception&) {
        // A schema that cannot be read ends the rebuild; the tree keeps what it has so far.
    }
}

void frmQuerimo::VeldenToevoegen(QTreeWidgetItem* parent, const QString& prefix, const QString& name)
{
    std::array<QString, 256> kolommen;
    auto rs = Verbinding.OpenSchema(querimo::ado::adSchemaColumns, Restrictions{{}, {}, name.toStdString(), {}});
    for (; !rs->Eof(); rs->MoveNext()) {
        const long long position = numberOf(field(*rs, "ordinal_position"));
        if (position < 0 || position > 255)
            throw querimo::DbError(querimo::errc::fail,
                                   "Ongeldige kolompositie in het schema van " + name.toStdString());
        const auto dataType = static_cast<querimo::ado::DataType>(numberOf(field(*rs, "data_type")));
        kolommen[position] = textOf(field(*rs, "column_name")) + " (" + TypeOmschrijving(dataType) + ")";
    }
    rs->Close();
    for (int i = 1; i <= 255 && !kolommen[i].isEmpty(); ++i)
        KnoopToevoegen(parent, prefix + "V" + QString::number(i), kolommen[i], "fields");
}

void frmQuerimo::IndexenToevoegen(QTreeWidgetItem* parent, const QString& prefix, const QString& name)
{
    auto rs = Verbinding.OpenSchema(querimo::ado::adSchemaIndexes, Restrictions{{}, {}, {}, {}, name.toStdString()});
    for (int j = 1; !rs->Eof(); ++j) {
        const QString index = textOf(field(*rs, "index_name"));
        const bool primary = numberOf(field(*rs, "primary_key")) != 0;
        QString columns;
        for (bool first = true; !rs->Eof() && textOf(field(*rs, "index_name")) == index; rs->MoveNext()) {
            if (!first) columns += ",";
            columns += textOf(field(*rs, "column_name"));
            first = false;
        }
        KnoopToevoegen(parent, prefix + "I" + QString::number(j), index + "(" + columns + ")",
                       primary ? "primkey" : "altkey");
    }
    rs->Close();
}

void frmQuerimo::BeeldVelden()
{
    mnuBeeldVelden->setChecked(true);
    mnuBeeldIndexen->setChecked(false);
    Knop("fields")->setChecked(true);
    Knop("indexes")->setChecked(false);
    Routines::SetTag(treStruktuur, "fields");
    StruktuurVullen();
}

void frmQuerimo::BeeldIndexen()
{
    mnuBeeldVelden->setChecked(false);
    mnuBeeldIndexen->setChecked(true);
    Knop("fields")->setChecked(false);
    Knop("indexes")->setChecked(true);
    Routines::SetTag(treStruktuur, "indexes");
    StruktuurVullen();
}
