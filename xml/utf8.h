#ifndef QUIVRA_XML_UTF8_H_
#define QUIVRA_XML_UTF8_H_

#include <string>
#include <string_view>

namespace quivra::xml {

// Appends the UTF-8 form of `code`; code points that Unicode does not allow (surrogates, values
// above 0x10FFFF) are written as U+FFFD.
void AppendUtf8(std::string& out, char32_t code);

// `text` with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// Raises ParseError at the first byte of `text` that is not part of well-formed UTF-8, with its
// line and column counted as the parser counts them (lines ended by LF, columns in characters).
void RequireUtf8(std::string_view text);

}  // namespace quivra::xml

#endif  // QUIVRA_XML_UTF8_H_
