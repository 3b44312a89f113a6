// Text keys for every script: ordered as the General sort order orders text, equal for text it finds equal, and
// written through indexes that mdbtools and our reader read back with every entry matching its row.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "core/Text.h"
#include "engine/writer_index_entries.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/sortorder/SortOrder.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

std::string textKey(Version version, const std::string& utf8, bool ascending = true)
{
    const IndexKey key = encodeIndexKey(version, {{ColumnType::Text, ascending}}, {Value::text(utf8)});
    EXPECT_FALSE(key.unencodable) << utf8;
    return key.bytes;
}

std::u16string utf16(const std::string& utf8)
{
    const std::string le = text::toUtf16le(utf8);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < le.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(le[i]) | static_cast<unsigned char>(le[i + 1]) << 8);
    return units;
}

// What the sort order compares first: the text codes of the characters, without accents, punctuation that
// only breaks ties, or ignored characters; a shorter text before a longer one it begins.
std::string textCodes(const std::string& utf8)
{
    std::string codes;
    for (char16_t unit : utf16(utf8)) {
        const sortorder::LegacyCodes code = sortorder::generalLegacy(unit);
        if (code.kind != sortorder::Kind::Plain && code.kind != sortorder::Kind::Accented
            && code.kind != sortorder::Kind::Kana)
            continue;
        for (int i = code.textLength - 1; i >= 0; --i) codes += static_cast<char>(code.text >> (8 * i) & 0xFF);
    }
    return codes + '\x01';
}

char32_t randomCharacter(std::mt19937& random)
{
    // Scripts people write names in, mixed with anything the plane holds and some beyond it.
    static const std::pair<char32_t, char32_t> scripts[] = {
        {0x41, 0x7A},     {0xC0, 0x24F},    {0x300, 0x36F},   {0x391, 0x3C9},   {0x400, 0x45F},
        {0x531, 0x586},   {0x5D0, 0x5EA},   {0x621, 0x64A},   {0x905, 0x939},   {0xE01, 0xE30},
        {0x1E00, 0x1EFF}, {0x2010, 0x2044}, {0x3041, 0x30FF}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3},
        {0xFF01, 0xFF5E}, {0x20, 0x2F}};
    const unsigned pick = random() % 20;
    if (pick < 10) {
        const auto& [from, to] = scripts[random() % std::size(scripts)];
        return from + random() % (to - from + 1);
    }
    if (pick == 10) return 0x10000 + random() % 0xFFFF;
    for (;;) {
        const char32_t c = 1 + random() % 0xFFFE;
        if (c < 0xD800 || c > 0xDFFF) return c;
    }
}

std::string randomText(std::mt19937& random)
{
    std::string out;
    for (unsigned n = random() % 7; n > 0; --n) text::appendUtf8(out, randomCharacter(random));
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Keys worked out by hand: after the column's flag 7F, text codes, 01, accent codes, then the kana and
// unprintable parts, 00.
TEST(IndexKeyScripts, EachPartOfAKeyIsWhereAccessPutsIt)
{
    EXPECT_EQ(hex(textKey(Version::Jet4, "Şahin")), "7F 6B 4A 57 59 62 01 1C 00 ");
    // A combining acute adds to the accent code of the letter before it: the key of the composed letter.
    EXPECT_EQ(hex(textKey(Version::Jet4, "a\u0301b")), hex(textKey(Version::Jet4, "áb")));
    // Small kana have kana code 2, the others 3, three to a byte; trailing 3s are left out.
    EXPECT_EQ(hex(textKey(Version::Jet4, "あ")), "7F 7F 02 01 01 01 FF 02 80 FF 80 00 ");
    EXPECT_EQ(hex(textKey(Version::Jet4, "ぁあ")), "7F 7F 02 7F 02 01 01 01 A0 FF 02 80 FF 80 00 ");
    EXPECT_EQ(hex(textKey(Version::Jet4, "あぁ-")), "7F 7F 02 7F 02 01 01 01 B8 FF 02 80 FF 80 FF 01 80 0F 06 82 00 ");
    // Both halves of a surrogate pair have computed codes and accent code 3F.
    EXPECT_EQ(hex(textKey(Version::Jet4, "😀")), "7F B0 3F B6 FC 01 3F 3F 00 ");
    // ß takes two positions, so the hyphen after it stands at position 2 (7 + 4 * 2).
    EXPECT_EQ(hex(textKey(Version::Jet4, "ß-a")), "7F 6B 6B 4A 01 01 01 01 80 0F 06 82 00 ");
    EXPECT_EQ(hex(textKey(Version::Jet3, "Œ")), "7F 72 66 00 ");
    EXPECT_EQ(hex(textKey(Version::Jet3, "é")), "7F 66 04 00 ");
}

// Random text over the whole plane: keys sort as the text codes sort, and descending keys the other way round.
TEST(IndexKeyScripts, KeysOrderAsTheSortOrder)
{
    std::mt19937 random(20);
    std::vector<std::string> texts;
    for (int i = 0; i < 4000; ++i) texts.push_back(randomText(random));
    // Texts that share their text codes and differ in accents, case and punctuation.
    for (const char* s : {"e", "é", "É", "è", "ê", "ë", "ē", "ė", "ę", "ě", "e-", "-e", "e'", "ee", "éé", "ß", "ss",
                          "Straße", "strasse", "Æble", "aeble", "ǅ", "dž", "かな", "カナ", "ｶﾅ", "a\u0301", "á"})
        texts.push_back(s);
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return textKey(Version::Jet4, a) < textKey(Version::Jet4, b);
    });
    int checked = 0;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const std::string& a = texts[i - 1];
        const std::string& b = texts[i];
        EXPECT_LE(textCodes(a), textCodes(b)) << hex(a) << " / " << hex(b);
        if (textKey(Version::Jet4, a) != textKey(Version::Jet4, b)) {
            EXPECT_GT(textKey(Version::Jet4, a, false), textKey(Version::Jet4, b, false)) << hex(a) << " / " << hex(b);
            ++checked;
        }
    }
    EXPECT_GT(checked, 2500);
}

// Accents, then hyphens and apostrophes, only break ties between texts with the same text codes.
TEST(IndexKeyScripts, TiesAreBrokenByAccentsThenPunctuation)
{
    const auto ordered = [](Version version, const std::vector<std::string>& texts) {
        for (std::size_t i = 1; i < texts.size(); ++i)
            EXPECT_LT(textKey(version, texts[i - 1]), textKey(version, texts[i])) << texts[i - 1] << " < " << texts[i];
    };
    ordered(Version::Jet4, {"cote", "coté", "côte", "côté", "cotf"});
    ordered(Version::Jet4, {"Sahin", "Şahin", "Sahina"});
    ordered(Version::Jet4, {"coop", "co'op", "co-op", "coopa"});
    ordered(Version::Jet4, {"Lodz", "Łódź", "Lodza"});
    ordered(Version::Jet4, {"Α", "Ω", "А", "Я", "א", "ا", "あ", "一"});
    ordered(Version::Jet3, {"cote", "coté", "côte", "côté", "cotf"});
}

// Upper and lower case letters of many scripts, ignored characters anywhere and trailing spaces give the key of
// the plain lower-case text.
TEST(IndexKeyScripts, TextTheSortOrderFindsEqualGetsEqualKeys)
{
    // {upper case, lower case, how many}; case does not count in the General sort order.
    const struct {
        char32_t upper, lower, count, step;
    } cases[] = {{0x41, 0x61, 26, 1},    {0xC0, 0xE0, 23, 1},    {0xD8, 0xF8, 7, 1},     {0x100, 0x101, 24, 2},
                 {0x132, 0x133, 3, 2},   {0x139, 0x13A, 8, 2},   {0x14A, 0x14B, 23, 2},  {0x179, 0x17A, 3, 2},
                 {0x391, 0x3B1, 17, 1},  {0x3A3, 0x3C3, 7, 1},   {0x410, 0x430, 32, 1},  {0x400, 0x450, 16, 1},
                 {0x531, 0x561, 38, 1},  {0xFF21, 0xFF41, 26, 1}};
    std::vector<std::pair<char32_t, char32_t>> letters;
    for (const auto& range : cases)
        for (char32_t i = 0; i < range.count; ++i)
            letters.emplace_back(range.upper + i * range.step, range.lower + i * range.step);
    std::vector<char16_t> ignored;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
        if (sortorder::generalLegacy(static_cast<char16_t>(unit)).kind == sortorder::Kind::Ignored)
            ignored.push_back(static_cast<char16_t>(unit));
    ASSERT_GT(ignored.size(), 1000u);

    std::mt19937 random(2020);
    for (int n = 0; n < 3000; ++n) {
        std::string lower, mixed;
        for (unsigned length = 1 + random() % 10; length > 0; --length) {
            const auto& [upperLetter, lowerLetter] = letters[random() % letters.size()];
            text::appendUtf8(lower, lowerLetter);
            text::appendUtf8(mixed, random() % 2 ? upperLetter : lowerLetter);
            if (random() % 4 == 0) text::appendUtf8(mixed, ignored[random() % ignored.size()]);
        }
        mixed += std::string(random() % 3, ' ');
        EXPECT_EQ(hex(textKey(Version::Jet4, mixed)), hex(textKey(Version::Jet4, lower))) << mixed;
        EXPECT_EQ(textKey(Version::Jet4, mixed, false), textKey(Version::Jet4, lower, false)) << mixed;
    }
    EXPECT_EQ(textKey(Version::Jet4, "Straße"), textKey(Version::Jet4, "STRASSE"));
    EXPECT_EQ(textKey(Version::Jet3, "ÉCOLE Œuvre"), textKey(Version::Jet3, "école oeuvre"));
    EXPECT_EQ(textKey(Version::Jet4, "Œuvre"), textKey(Version::Jet4, "OEUVRE"));
    EXPECT_NE(textKey(Version::Jet4, "ecole"), textKey(Version::Jet4, "école"));
}

// The key counts UTF-16 units: a character beyond the plane takes two of the 255 that count, and a value cut
// after 255 units keys like the same value with more after it.
TEST(IndexKeyScripts, OnlyTheFirst255UnitsCount)
{
    std::string emoji, longer;
    for (int i = 0; i < 127; ++i) emoji += "😀";
    longer = emoji + "😀";
    const std::string key = textKey(Version::Jet4, emoji + "a");
    EXPECT_EQ(key, textKey(Version::Jet4, emoji + "ab"));
    EXPECT_NE(key, textKey(Version::Jet4, emoji));
    EXPECT_EQ(textKey(Version::Jet4, longer), textKey(Version::Jet4, longer + "😀"));
}

// Names in many scripts, each name a few parts joined by spaces, hyphens or apostrophes.
std::string randomName(std::mt19937& random, Version version)
{
    static const char* const parts[] = {
        "Şahin",  "Yılmaz", "Çelik",  "Öztürk", "Łódź",   "Wałęsa",   "Čapek",  "Dvořák", "Đorđe",    "Ćosić",
        "Ελλάδα", "Σωκράτης", "Москва", "Ёлкин",  "Щукин",  "שלום",    "כהן",    "القاهرة", "محمد",     "東京",
        "北京",   "ひらがな", "カタカナ", "ｶﾀｶﾅ",   "한국",   "김민준",   "Nguyễn", "Trần",    "ภาษาไทย",  "हिन्दी",
        "Ærø",    "Straße", "Œuvre",  "van 't", "Zoë",    "José",     "ﬁnal",   "Ǆemal",  "e\u0301", "😀"};
    static const char* const parts1252[] = {"Œuvre", "Straße", "Zoë",   "José",   "van 't", "Ærø",  "Šibenik",
                                            "Ÿves",  "Müller", "Ñandú", "“Kaas”", "a–b",    "Dvořák"};
    std::string name;
    for (unsigned n = 1 + random() % 3; n > 0; --n) {
        if (!name.empty()) name += " -'"[random() % 3];
        if (version == Version::Jet4)
            name += parts[random() % std::size(parts)];
        else
            name += parts1252[random() % (std::size(parts1252) - 1)];  // Dvořák: Windows-1252 has no ř
    }
    if (random() % 5 == 0) name = text::toUpper(name);
    return name;
}

// mdbtools converts text as UCS-2, so each half of a character beyond the plane comes out as '?'.
std::string asMdbtoolsShows(const std::string& utf8)
{
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = text::decodeUtf8(utf8, pos);
        if (c >= 0x10000)
            out += "??";
        else
            text::appendUtf8(out, c);
    }
    return out;
}

class IndexKeyRoundTrip : public ::testing::TestWithParam<Version> {};

// A few thousand names inserted, renamed and deleted through indexed columns: our reader and mdbtools read
// the rows back, and every entry of every index holds the key of the row it points to, in key order.
TEST_P(IndexKeyRoundTrip, NamesOfManyScriptsThroughIndexes)
{
    const Version version = GetParam();
    test::ScratchDir dir;
    const std::string path =
        dir.database(version, {"CREATE TABLE T (Id COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, Naam TEXT(50), "
                               "Plaats TEXT(50))",
                               "CREATE INDEX ixNaam ON T (Naam)", "CREATE INDEX ixPlaatsNaam ON T (Plaats DESC, Naam)"});
    std::mt19937 random(version == Version::Jet4 ? 4 : 3);
    std::map<RowId, std::vector<Value>> model;
    std::int32_t nextId = 1;
    {
        auto db = test::openFile(path);
        const TableDef& table = db->table("T");
        for (int statement = 0; statement < 30; ++statement) {
            test::inStatement(*db, [&] {
                for (int op = 0; op < 120; ++op) {
                    const unsigned what = random() % 20;
                    if (what < 12 || model.size() < 10) {
                        std::vector<Value> row{Value::null(), Value::text(randomName(random, version)),
                                               random() % 8 ? Value::text(randomName(random, version)) : Value::null()};
                        const RowId id = db->insertRow(table, row);
                        row[0] = Value::int32(nextId++);
                        model[id] = row;
                        continue;
                    }
                    auto at = model.begin();
                    std::advance(at, random() % model.size());
                    if (what < 17) {
                        std::vector<Value> row = at->second;
                        row[random() % 2 + 1] = Value::text(randomName(random, version));
                        db->updateRow(table, at->first, row);
                        at->second = row;
                    } else {
                        db->deleteRow(table, at->first);
                        model.erase(at);
                    }
                }
            });
        }
        ASSERT_EQ(test::rowsById(*db, "T"), model);
    }
    ASSERT_GT(model.size(), 1500u);

    const writertest::IndexEntriesOutcome entries = writertest::checkIndexEntries(path);
    EXPECT_EQ(entries.refused, 0);
    EXPECT_GE(entries.verified, static_cast<int>(3 * model.size()));  // the system tables' entries as well

    const test::ProcessResult exported = test::runProcess({"mdb-export", path, "T"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    std::multiset<std::string> expected, found;
    for (const auto& [id, row] : model)
        expected.insert(std::to_string(row[0].integer) + "|" + asMdbtoolsShows(row[1].bytes) + "|"
                        + asMdbtoolsShows(row[2].bytes));
    const auto csv = test::parseCsv(exported.out);
    for (std::size_t r = 1; r < csv.size(); ++r) found.insert(csv[r][0] + "|" + csv[r][1] + "|" + csv[r][2]);
    EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, IndexKeyRoundTrip, ::testing::ValuesIn(test::bothVersions), test::versionName);

}  // namespace
