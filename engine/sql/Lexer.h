#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace querimo::sql {

enum class TokenKind { Word, Name, Number, String, Date, Symbol, End };

// One token of an Access statement. Word: an unbracketed identifier or keyword; Name: a [bracketed] name;
// String: the text without its quotes; Date: the text between the # signs; Symbol: operators and punctuation.
struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    std::size_t position = 0;  // 0-based character in the statement, as the user counts them in messages
    std::size_t offset = 0;    // 0-based byte in the statement, for taking text out of it

    bool is(std::string_view keyword) const;  // Word or Symbol, letter case ignored
};

// Splits the whole statement; a DbError (syntax) names what is wrong and where.
std::vector<Token> tokenize(std::string_view statement);

// "op positie N" for messages: positions count from 1 for the user.
std::string atPosition(std::size_t position);

}  // namespace querimo::sql
