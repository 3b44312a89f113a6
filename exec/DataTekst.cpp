#include "exec/DataTekst.h"

#include "ado/Recordset.h"

namespace querimo::exec {

std::string DataTekst(ado::Recordset& rs)
{
    ado::Fields fields = rs.GetFields();
    std::string text;
    for (std::size_t i = 0; i < fields.Count(); ++i) {
        if (i > 0) text += '\t';
        text += fields.Item(i).Name();
    }
    text += "\r\n";
    return text + rs.GetString(2, -1, "\t", "\r\n", "");
}

}  // namespace querimo::exec
