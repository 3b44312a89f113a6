#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "core/Value.h"

namespace querimo::cli {

// Writes rows of fields to a stream through one buffer, so large exports cost few system calls.
// Tab form: fields separated by TAB, rows ended by LF; backslash, TAB, CR and LF inside a field are written
// as \\, \t, \r and \n so every row stays one line.
// CSV form (RFC 4180): fields separated by commas, rows ended by CR LF; a field holding a comma, quote,
// CR or LF is quoted with inner quotes doubled.
class RowWriter {
public:
    enum class Format { Tab, Csv };

    RowWriter(std::FILE* stream, Format format);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    void field(std::string_view text);
    void value(const Value& v);  // in exportText form
    void endRow();
    // Writes what is buffered; DbError when the stream fails.
    void finish();

private:
    void separate();
    void flushIfFull();

    std::FILE* stream_;
    Format format_;
    std::string buffer_;
    bool rowStarted_ = false;
};

// Text in the tab-separated form PostgreSQL's COPY also reads: backslash, TAB, CR and LF escaped.
void appendTabEscaped(std::string& out, std::string_view text);

}  // namespace querimo::cli
