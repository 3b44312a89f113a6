// Index pages whose keys all have one short length are searched as numbers: the answer must be the one a
// byte-wise search gives, for sought keys shorter, longer and as long as the page's, and at the 0xFF edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "jet/tables/IndexPages.h"
#include "jet/tables/PackedKeys.h"

namespace querimo {
namespace {

std::size_t bytewise(const std::vector<std::string>& keys, const std::string& sought)
{
    const auto at = std::lower_bound(keys.begin(), keys.end(), sought,
                                     [](const std::string& k, const std::string& s) { return jet::bytesBelow(k, s); });
    return static_cast<std::size_t>(at - keys.begin());
}

TEST(PackedKeys, FindTheFirstKeyNotBelowAsBytesDo)
{
    std::mt19937 random(4711);
    // Few byte values, 0x00 and 0xFF among them, so that equal starts and the edges come up often.
    const char bytes[] = {'\x00', '\x01', '\x7F', '\x80', '\xFE', '\xFF'};
    const auto text = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s += bytes[random() % sizeof bytes];
        return s;
    };
    for (std::size_t length = 0; length <= 8; ++length)
        for (int page = 0; page < 30; ++page) {
            std::vector<std::string> keys;
            const std::size_t count = 1 + random() % 40;
            for (std::size_t i = 0; i < count; ++i) keys.push_back(text(length));
            std::sort(keys.begin(), keys.end(),
                      [](const std::string& a, const std::string& b) { return jet::bytesBelow(a, b); });
            jet::PackedKeys packed;
            for (const std::string& key : keys) ASSERT_TRUE(packed.add(key));
            ASSERT_FALSE(packed.empty());
            for (int probe = 0; probe < 60; ++probe) {
                const std::string sought = text(random() % 11);
                EXPECT_EQ(packed.firstNotBelow(sought), bytewise(keys, sought))
                    << "lengte " << length << ", gezocht " << sought.size() << " bytes";
            }
            for (const std::string& key : keys) {
                EXPECT_EQ(packed.firstNotBelow(key), bytewise(keys, key));
                EXPECT_EQ(packed.firstNotBelow(key + '\x00'), bytewise(keys, key + '\x00'));
            }
        }
}

// Keys of counted numbers (as a Long key is stored: a flag byte, then four bytes), evenly spaced or with gaps
// and runs: the search guesses where a number lies and must still find what a byte-wise search finds.
TEST(PackedKeys, NumbersCountedUpAreFoundWhereTheyLie)
{
    std::mt19937 random(99);
    const auto longKey = [](std::uint32_t n) {
        std::string key(1, '\x7F');
        for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>((n >> shift) & 0xFF);
        return key;
    };
    for (int page = 0; page < 40; ++page) {
        std::vector<std::string> keys;
        std::uint32_t n = random() % 100000;
        const std::size_t count = 20 + random() % 600;
        for (std::size_t i = 0; i < count; ++i) {
            keys.push_back(longKey(n));
            n += page % 3 == 0 ? 1 : page % 3 == 1 ? random() % 4 : (random() % 50 == 0 ? 5000 : 1);
        }
        jet::PackedKeys packed;
        for (const std::string& key : keys) ASSERT_TRUE(packed.add(key));
        for (int probe = 0; probe < 200; ++probe) {
            const std::string sought = longKey(static_cast<std::uint32_t>(random() % (n + 100)));
            EXPECT_EQ(packed.firstNotBelow(sought), bytewise(keys, sought));
            const std::string shorter = sought.substr(0, random() % 5);
            EXPECT_EQ(packed.firstNotBelow(shorter), bytewise(keys, shorter));
        }
        for (const std::string& key : keys) EXPECT_EQ(packed.firstNotBelow(key), bytewise(keys, key));
    }
}

TEST(PackedKeys, KeysOfOtherLengthsOrLongerThanEightAreNotPacked)
{
    jet::PackedKeys mixed;
    EXPECT_TRUE(mixed.add("abc"));
    EXPECT_FALSE(mixed.add("abcd"));
    EXPECT_TRUE(mixed.empty());
    jet::PackedKeys tooLong;
    EXPECT_FALSE(tooLong.add("123456789"));
    EXPECT_TRUE(tooLong.empty());
}

}  // namespace
}  // namespace querimo
