// Text keys in the newer General sort order of Access 2010 and later: the keys Access stored in the .accdb
// corpus, keys worked out by hand from the code lists, the order the codes give, and files of that order that
// our writer changes and mdbtools and our reader read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/Text.h"
#include "engine/writer_index_entries.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/sortorder/SortOrder.h"
#include "jet_test_files.h"
#include "support/Corpus.h"
#include "support/Csv.h"
#include "support/Process.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

std::string newerKey(const std::string& utf8, bool ascending = true)
{
    const IndexKey key =
        encodeIndexKey(Version::Jet4, {{ColumnType::Text, ascending, Collation::General2010}}, {Value::text(utf8)});
    EXPECT_TRUE(key.encodable()) << utf8;
    return key.bytes;
}

std::string legacyKey(const std::string& utf8)
{
    return encodeIndexKey(Version::Jet4, {{ColumnType::Text, true}}, {Value::text(utf8)}).bytes;
}

// What the newer order compares first: the text codes alone.
std::string textCodes(const std::string& utf8)
{
    std::string codes;
    const std::string le = text::toUtf16le(utf8);
    for (std::size_t i = 0; i + 1 < le.size(); i += 2) {
        const auto unit =
            static_cast<char16_t>(static_cast<unsigned char>(le[i]) | static_cast<unsigned char>(le[i + 1]) << 8);
        const sortorder::LegacyCodes code = sortorder::general2010(unit);
        if (code.kind != sortorder::Kind::Plain && code.kind != sortorder::Kind::Accented
            && code.kind != sortorder::Kind::Kana)
            continue;
        for (int b = code.textLength - 1; b >= 0; --b) codes += static_cast<char>(code.text >> (8 * b) & 0xFF);
    }
    return codes + '\x01';
}

std::string randomText(std::mt19937& random)
{
    static const std::pair<char32_t, char32_t> scripts[] = {
        {0x20, 0x7E},     {0xC0, 0x24F},    {0x300, 0x36F},   {0x391, 0x3C9},   {0x400, 0x45F},
        {0x5D0, 0x5EA},   {0x621, 0x64A},   {0x905, 0x939},   {0x1E00, 0x1EFF}, {0x2010, 0x2044},
        {0x3041, 0x30FF}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3}, {0xFF01, 0xFF5E}};
    std::string out;
    for (unsigned n = random() % 7; n > 0; --n) {
        const auto& [from, to] = scripts[random() % std::size(scripts)];
        text::appendUtf8(out, from + random() % (to - from + 1));
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Every index of every .accdb file, system tables' too: the keys our encoder gives the rows are the keys Access
// stored. The 2010 and 2016 files keep their system tables' text columns in the newer order, so their names
// (plain ASCII letters, digits and underscores) check that order's codes against Access's own bytes.
TEST(Accdb2010Keys, EncodedKeysEqualStoredKeys)
{
    if (test::accdbCorpusFiles().empty()) QUERIMO_REQUIRE_CORPUS_FILE("empty2010.accdb");
    for (const auto& path : test::accdbCorpusFiles()) {
        const writertest::IndexEntriesOutcome outcome = writertest::checkIndexEntries(path);
        EXPECT_EQ(outcome.refused, 0) << path.filename().string();
        EXPECT_GT(outcome.verified, 0) << path.filename().string();
    }
}

// Keys worked out by hand from the code lists: two-byte letters (A 0E02, b 0E09), é with accent code 0E, the
// hyphen among the unprintable codes after the ß that takes two positions, kana as in the older order.
TEST(Accdb2010Keys, EachPartOfAKeyIsWhereTheCodesPutIt)
{
    EXPECT_EQ(hex(newerKey("Ab")), "7F 0E 02 0E 09 01 00 ");
    EXPECT_EQ(hex(newerKey("é")), "7F 0E 21 01 0E 00 ");
    EXPECT_EQ(hex(newerKey("a\u0301")), hex(newerKey("á")));
    EXPECT_EQ(hex(newerKey("ß-a")), "7F 0E 91 0E 91 0E 02 01 01 01 01 80 0F 06 82 00 ");
    EXPECT_EQ(hex(newerKey("1 a")), "7F 0D 19 07 02 0E 02 01 00 ");
    // Descending: inverted, then one more end byte.
    EXPECT_EQ(hex(newerKey("Ab", false)), "80 F1 FD F1 F6 FE FF 00 ");
    // The orders differ: the older one has one-byte codes for letters and digits.
    EXPECT_EQ(hex(legacyKey("Ab")), "7F 4A 4C 01 00 ");
}

// Random text: keys sort as the text codes sort, descending keys the other way round; case and ignored
// characters do not count.
TEST(Accdb2010Keys, KeysOrderAsTheCodesOrder)
{
    std::mt19937 random(2010);
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) texts.push_back(randomText(random));
    for (const char* s : {"e", "é", "É", "è", "e-", "-e", "e'", "ss", "ß", "Straße", "strasse", "かな", "カナ"})
        texts.push_back(s);
    std::sort(texts.begin(), texts.end(),
              [](const std::string& a, const std::string& b) { return newerKey(a) < newerKey(b); });
    int checked = 0;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const std::string& a = texts[i - 1];
        const std::string& b = texts[i];
        EXPECT_LE(textCodes(a), textCodes(b)) << hex(a) << " / " << hex(b);
        if (newerKey(a) != newerKey(b)) {
            EXPECT_GT(newerKey(a, false), newerKey(b, false)) << hex(a) << " / " << hex(b);
            ++checked;
        }
    }
    EXPECT_GT(checked, 2000);
    EXPECT_EQ(newerKey("Straße ZÜRICH"), newerKey("strasse zürich"));
    EXPECT_EQ(newerKey("МОСКВА Ελλάδα"), newerKey("москва ελλάδα"));
    EXPECT_NE(newerKey("ecole"), newerKey("école"));
}

std::string newerName(std::mt19937& random)
{
    static const char* const parts[] = {"Şahin",  "Łódź",     "Dvořák",   "Ελλάδα",  "Москва", "שלום",   "القاهرة",
                                        "東京",   "ひらがな", "カタカナ", "한국",    "Nguyễn", "Straße", "Œuvre",
                                        "van 't", "Zoë",      "ﬁnal",     "e\u0301", "2010",   "A-1"};
    std::string name;
    for (unsigned n = 1 + random() % 3; n > 0; --n) {
        if (!name.empty()) name += " -'"[random() % 3];
        name += parts[random() % std::size(parts)];
    }
    return random() % 4 == 0 ? text::toUpper(name) : name;
}

// A copy of Access 2010's empty file: a table made by data definition takes the newer order for its text
// columns, rows go in and out through its indexes, seeks find them, and mdbtools reads them back.
TEST(Accdb2010Keys, RowsThroughIndexesOfTheNewerOrder)
{
    QUERIMO_REQUIRE_CORPUS_FILE("empty2010.accdb");
    test::ScratchDir dir;
    const std::string path = dir.write("leeg2010.accdb", test::readBytes(test::corpusFile("empty2010.accdb")));
    std::mt19937 random(7);
    std::vector<std::string> names;
    {
        ado::Connection connection;
        connection.Provider = "Microsoft.Jet.OLEDB.4.0";
        connection.GetProperties()("Data Source") = path;
        connection.Open();
        const auto run = [&](const std::string& text) {
            ado::Command command;
            command.ActiveConnection = &connection;
            command.SetCommandText(text);
            long affected = 0;
            return command.Execute(&affected);
        };
        run("CREATE TABLE Namen (Id LONG CONSTRAINT pk PRIMARY KEY, Naam TEXT(80), Plaats TEXT(80))");
        run("CREATE INDEX ixNaam ON Namen (Naam)");
        run("CREATE INDEX ixPlaats ON Namen (Plaats DESC, Naam)");
        for (int i = 0; i < 400; ++i) {
            names.push_back(newerName(random));
            std::string quoted;
            for (char c : names.back()) quoted += c == '\'' ? std::string("''") : std::string(1, c);
            run("INSERT INTO Namen VALUES (" + std::to_string(i) + ", '" + quoted + "', '" + quoted + "')");
        }
        run("UPDATE Namen SET Naam = Naam & ' Ærø' WHERE Id MOD 3 = 0");
        run("DELETE FROM Namen WHERE Id MOD 7 = 0");
        // Row 5 kept its name; both indexes find it.
        std::string quoted;
        for (char c : names[5]) quoted += c == '\'' ? std::string("''") : std::string(1, c);
        for (const char* column : {"Naam", "Plaats"}) {
            const auto found = run("SELECT Id FROM Namen WHERE " + std::string(column) + " = '" + quoted + "'");
            std::vector<std::int64_t> ids;
            for (std::size_t r = 0; r < found->RecordCount(); ++r) ids.push_back(found->valueAt(r, 0).integer);
            EXPECT_NE(std::find(ids.begin(), ids.end(), 5), ids.end()) << column << " " << names[5];
        }
    }
    writertest::FilePages pages(path);
    const TableLayout layout = pages.table("Namen");
    EXPECT_EQ(layout.storage.at(1).sortOrderTail, general2010SortOrderTail);

    const writertest::IndexEntriesOutcome entries = writertest::checkIndexEntries(path);
    EXPECT_EQ(entries.refused, 0);
    EXPECT_GE(entries.verified, 3 * (400 - 58));

    const test::ProcessResult exported = test::runProcess({"mdb-export", path, "Namen"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(test::parseCsv(exported.out).size(), 1u + 400 - 58);
}

}  // namespace
