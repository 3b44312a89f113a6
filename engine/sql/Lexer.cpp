#include "sql/Lexer.h"

#include <cctype>

#include "core/Error.h"
#include "core/Text.h"

namespace querimo::sql {

namespace {

bool isWordStart(unsigned char c)
{
    return std::isalpha(c) || c == '_' || c >= 0x80;
}
bool isWordChar(unsigned char c)
{
    return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80;
}

[[noreturn]] void fail(const std::string& what, std::size_t position)
{
    throw DbError(errc::syntax, what + " " + atPosition(position) + ".");
}

// Counts characters, not bytes, up to a byte offset that only moves forward: a UTF-8 continuation byte
// starts no character.
class CharacterCount {
public:
    explicit CharacterCount(std::string_view s) : s_(s) {}
    std::size_t at(std::size_t offset)
    {
        for (; byte_ < offset && byte_ < s_.size(); ++byte_)
            if ((static_cast<unsigned char>(s_[byte_]) & 0xC0) != 0x80) ++characters_;
        return characters_;
    }

private:
    std::string_view s_;
    std::size_t byte_ = 0;
    std::size_t characters_ = 0;
};

}  // namespace

bool Token::is(std::string_view keyword) const
{
    return (kind == TokenKind::Word || kind == TokenKind::Symbol) && text::equalsIgnoreCase(text, keyword);
}

std::string atPosition(std::size_t position)
{
    return "op positie " + std::to_string(position + 1);
}

std::vector<Token> tokenize(std::string_view s)
{
    std::vector<Token> tokens;
    CharacterCount characters(s);
    const auto fail = [&](const std::string& what, std::size_t at) { sql::fail(what, characters.at(at)); };
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        Token t;
        t.offset = i;
        t.position = characters.at(i);
        if (c == '[') {
            const std::size_t close = s.find(']', i + 1);
            if (close == std::string_view::npos) fail("De naam die met '[' begint wordt niet afgesloten met ']'", i);
            t.kind = TokenKind::Name;
            t.text = std::string(s.substr(i + 1, close - i - 1));
            if (t.text.empty()) fail("Een lege naam [] is niet toegestaan", i);
            i = close + 1;
        } else if (c == '\'' || c == '"') {
            t.kind = TokenKind::String;
            std::size_t j = i + 1;
            for (;;) {
                if (j >= s.size())
                    fail(std::string("De tekst die met ") + char(c) + " begint wordt niet afgesloten", i);
                if (s[j] == char(c)) {
                    if (j + 1 < s.size() && s[j + 1] == char(c)) {
                        t.text += char(c);
                        j += 2;
                        continue;
                    }
                    break;
                }
                t.text += s[j++];
            }
            i = j + 1;
        } else if (c == '#') {
            const std::size_t close = s.find('#', i + 1);
            if (close == std::string_view::npos) fail("De datum die met '#' begint wordt niet afgesloten met '#'", i);
            t.kind = TokenKind::Date;
            t.text = std::string(s.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (std::isdigit(c)
                   || (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            t.kind = TokenKind::Number;
            std::size_t j = i;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            if (j < s.size() && s[j] == '.') {
                ++j;
                while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            }
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
                if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) {
                    while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
                    j = k;
                }
            }
            t.text = std::string(s.substr(i, j - i));
            i = j;
        } else if (c == '&' && i + 1 < s.size() && (s[i + 1] == 'H' || s[i + 1] == 'h')) {
            // Hexadecimal literal &H1F.
            std::size_t j = i + 2;
            while (j < s.size() && std::isxdigit(static_cast<unsigned char>(s[j]))) ++j;
            if (j == i + 2) fail("Onvolledige hexadecimale waarde", i);
            t.kind = TokenKind::Number;
            t.text = std::to_string(std::stoll(std::string(s.substr(i + 2, j - i - 2)), nullptr, 16));
            i = j;
        } else if (isWordStart(c)) {
            t.kind = TokenKind::Word;
            std::size_t j = i;
            while (j < s.size() && isWordChar(static_cast<unsigned char>(s[j]))) ++j;
            t.text = std::string(s.substr(i, j - i));
            i = j;
        } else {
            t.kind = TokenKind::Symbol;
            static const char* const twoChar[] = {"<>", "<=", ">=", "!="};
            t.text = std::string(1, char(c));
            for (const char* two : twoChar)
                if (s.substr(i, 2) == two) t.text = two;
            if (std::string_view("+-*/\\^&=<>(),.;!").find(char(c)) == std::string_view::npos)
                fail(std::string("Onbekend teken '") + char(c) + "'", i);
            i += t.text.size();
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.offset = s.size();
    end.position = characters.at(s.size());
    tokens.push_back(end);
    return tokens;
}

}  // namespace querimo::sql
