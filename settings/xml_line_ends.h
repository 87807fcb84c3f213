// Line ends the host wrote as references, in the virtual platform's document. Read with raw line
// ends, a carriage return written as `&#13;` looks like a line end, and a line feed written as
// `&#10;` after a raw carriage return joins it into one CR LF. A file where saving would change
// a text so is read with line ends normalised, and saved through WithLineEnds with its own line
// end and the carriage returns written as references again.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace pendant {

// Whether any text of the document holds a carriage return.
bool TextHoldsCarriageReturn(pugi::xml_document& document);

// Whether every text of raw, read with line ends as they are, means what the same text of
// normalised (the same bytes read with line ends normalised) holds, once its raw line ends are
// read as any reader reads them. Not when a reference wrote a carriage return, or a line feed
// right after a raw carriage return: saved raw, those would read as other line ends.
bool TextsReadTheSame(pugi::xml_document& raw, pugi::xml_document& normalised);

// The file's first line end ("\n" without one); a file has one style of line end.
const char* FirstLineEnd(const std::string& bytes, pugi::xml_encoding encoding);

// The document as pugixml writes it with flags and encoding, every line feed written as lineEnd
// and every carriage return, a character of the text, as a reference. Doctypes and processing
// instructions, which reading does not normalise, keep their bytes.
std::string WithLineEnds(pugi::xml_document& document, unsigned flags, pugi::xml_encoding encoding,
                         const char* lineEnd);

}  // namespace pendant
