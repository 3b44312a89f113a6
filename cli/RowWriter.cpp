#include "RowWriter.h"

#include "core/Error.h"
#include "core/ValueText.h"

namespace querimo::cli {

namespace {

constexpr std::size_t flushSize = 1 << 16;

void appendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

RowWriter::RowWriter(std::FILE* stream, Format format) : stream_(stream), format_(format)
{
    buffer_.reserve(flushSize + 4096);
}

RowWriter::~RowWriter()
{
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
}

void RowWriter::separate()
{
    if (rowStarted_) buffer_ += format_ == Format::Tab ? '\t' : ',';
    rowStarted_ = true;
}

void RowWriter::field(std::string_view text)
{
    separate();
    if (format_ == Format::Tab)
        appendTabEscaped(buffer_, text);
    else
        appendCsvField(buffer_, text);
}

void RowWriter::value(const Value& v)
{
    // Only text can hold separators or line ends; every other type's text form is plain.
    if (v.kind == Value::Kind::Text) {
        field(v.bytes);
        return;
    }
    separate();
    appendExportText(buffer_, v);
}

void RowWriter::endRow()
{
    buffer_ += format_ == Format::Tab ? "\n" : "\r\n";
    rowStarted_ = false;
    flushIfFull();
}

void RowWriter::flushIfFull()
{
    if (buffer_.size() >= flushSize) finish();
}

void RowWriter::finish()
{
    const bool written = std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) == buffer_.size();
    buffer_.clear();
    if (!written || std::fflush(stream_) != 0) throw DbError(errc::fail, "Schrijven naar de uitvoer is mislukt.");
}

void appendTabEscaped(std::string& out, std::string_view text)
{
    if (text.find_first_of("\\\t\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
}

}  // namespace querimo::cli
