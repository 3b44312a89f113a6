#pragma once
#include <optional>
#include <string>
#include <vector>

#include "jet/Database.h"
#include "jet/tables/IndexKey.h"

namespace querimo::jet {

// A key range as bytes in index order. A bound is the start of keys: a key "reaches" it when it begins
// with the bound's bytes, so a bound over some leading columns covers every key with those values.
struct KeyBounds {
    struct Bound {
        std::string bytes;
        bool inclusive = true;
    };
    std::optional<Bound> low, high;
    bool backward = false;  // walked from the high end down

    // Not yet reached by a walk in key order: below low.
    bool beforeLow(const std::string& key) const;
    // Beyond high: a walk in key order ends here.
    bool afterHigh(const std::string& key) const;
};

// The byte bounds of a value range over the index columns `columns`; nullopt when a value has no key.
std::optional<KeyBounds> keyBounds(Version version, const std::vector<KeyColumn>& columns, const KeyRange& range);
// The same into `bounds`, whose room is used again from range to range; false when a value has no key.
bool keyBounds(Version version, const std::vector<KeyColumn>& columns, const KeyRange& range, KeyBounds& bounds);

}  // namespace querimo::jet
