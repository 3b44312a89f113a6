#pragma once
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sql/Lexer.h"

namespace querimo::sql {

// A forward walk over the tokens of one statement; past the end it stays on the End token.
class TokenCursor {
public:
    explicit TokenCursor(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    const Token& peek(std::size_t ahead = 0) const { return tokens_[std::min(at_ + ahead, tokens_.size() - 1)]; }
    const Token& next()
    {
        const Token& t = peek();
        if (at_ < tokens_.size() - 1) ++at_;
        return t;
    }
    bool accept(std::string_view word)
    {
        if (!peek().is(word)) return false;
        next();
        return true;
    }
    std::size_t index() const { return at_; }
    const Token& token(std::size_t index) const { return tokens_[index]; }

private:
    std::vector<Token> tokens_;
    std::size_t at_ = 0;
};

// A token as a message names it: 'word', '[name]', de tekst '...', het einde van de opdracht.
inline std::string describeToken(const Token& t)
{
    switch (t.kind) {
    case TokenKind::End: return "het einde van de opdracht";
    case TokenKind::String: return "de tekst '" + t.text + "'";
    case TokenKind::Date: return "de datum #" + t.text + "#";
    case TokenKind::Name: return "'[" + t.text + "]'";
    default: return "'" + t.text + "'";
    }
}

}  // namespace querimo::sql
