#pragma once
#include <QString>
#include <cstdint>

// The Dutch word for a schema data-type number (ADO numbering), as the tree shows it after a field name.
QString TypeOmschrijving(std::int16_t dataType);
