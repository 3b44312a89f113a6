#include "structure/Struktuur.h"

#include <array>
#include <optional>

#include "core/Error.h"
#include "structure/TypeWords.h"

namespace querimo::structure {

namespace {

using ado::Recordset;
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

class Lezer {
public:
    Lezer(ado::Connection& verbinding, std::vector<Knoop>& knopen) : verbinding_(verbinding), knopen_(knopen) {}

    void Tabellen(Beeld modus)
    {
        Toevoegen({{}, "Tables", "Tables", "folder"});
        auto rs = verbinding_.OpenSchema(ado::adSchemaTables, Restrictions{{}, {}, {}, "TABLE"});
        for (int t = 1; !rs->Eof(); ++t, rs->MoveNext()) {
            const QString name = textOf(field(*rs, "table_name"));
            const QString key = "T" + QString::number(t);
            Toevoegen({"Tables", key, name, "table", t == 1});
            if (modus == Beeld::Velden)
                Velden(key, name);
            else
                Indexen(key, name);
        }
        rs->Close();
    }

    void Views()
    {
        auto rs = verbinding_.OpenSchema(ado::adSchemaTables, Restrictions{{}, {}, {}, "VIEW"});
        if (!rs->Eof()) {
            Toevoegen({{}, "Views", "Views", "folder"});
            for (int v = 1; !rs->Eof(); ++v, rs->MoveNext()) {
                const QString name = textOf(field(*rs, "table_name"));
                const QString key = "V" + QString::number(v);
                Toevoegen({"Views", key, name, "view", v == 1});
                Velden(key, name);
            }
        }
        rs->Close();
    }

private:
    void Toevoegen(Knoop knoop) { knopen_.push_back(std::move(knoop)); }

    void Velden(const QString& prefix, const QString& name)
    {
        std::array<QString, 256> kolommen;
        auto rs = verbinding_.OpenSchema(ado::adSchemaColumns, Restrictions{{}, {}, name.toStdString(), {}});
        for (; !rs->Eof(); rs->MoveNext()) {
            const long long position = numberOf(field(*rs, "ordinal_position"));
            if (position < 0 || position > 255)
                throw DbError(errc::fail, "Ongeldige kolompositie in het schema van " + name.toStdString());
            const auto dataType = static_cast<ado::DataType>(numberOf(field(*rs, "data_type")));
            kolommen[static_cast<std::size_t>(position)] =
                textOf(field(*rs, "column_name")) + " (" + TypeOmschrijving(dataType) + ")";
        }
        rs->Close();
        for (std::size_t i = 1; i <= 255 && !kolommen[i].isEmpty(); ++i)
            Toevoegen({prefix, prefix + "V" + QString::number(i), kolommen[i], "fields"});
    }

    void Indexen(const QString& prefix, const QString& name)
    {
        auto rs = verbinding_.OpenSchema(ado::adSchemaIndexes, Restrictions{{}, {}, {}, {}, name.toStdString()});
        for (int j = 1; !rs->Eof(); ++j) {
            const QString index = textOf(field(*rs, "index_name"));
            const bool primary = numberOf(field(*rs, "primary_key")) != 0;
            QString columns;
            for (bool first = true; !rs->Eof() && textOf(field(*rs, "index_name")) == index; rs->MoveNext()) {
                if (!first) columns += ",";
                columns += textOf(field(*rs, "column_name"));
                first = false;
            }
            Toevoegen({prefix, prefix + "I" + QString::number(j), index + "(" + columns + ")",
                       primary ? "primkey" : "altkey"});
        }
        rs->Close();
    }

    ado::Connection& verbinding_;
    std::vector<Knoop>& knopen_;
};

}  // namespace

void Struktuur::ZetModus(Beeld modus)
{
    modus_ = modus;
    emit ModusGewijzigd();
}

std::vector<Knoop> Struktuur::Lezen(ado::Connection& verbinding) const
{
    std::vector<Knoop> knopen;
    Lezer lezer(verbinding, knopen);
    try {
        lezer.Tabellen(modus_);
        if (modus_ == Beeld::Velden) lezer.Views();
    } catch (const std::exception&) {
        // The tree keeps what was read so far.
    }
    return knopen;
}

}  // namespace querimo::structure
