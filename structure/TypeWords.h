#pragma once
#include <QString>

#include "ado/Recordset.h"

// The Dutch word for a schema data type, as the tree shows it after a field name.
QString TypeOmschrijving(querimo::ado::DataType dataType);
