#include "xml/xml_error.h"

namespace quivra::xml {

ParseError::ParseError(const std::string& what, int line, int column)
    : std::runtime_error(what + " at line " + std::to_string(line) + ", column " +
                         std::to_string(column)),
      line_(line),
      column_(column) {}

}  // namespace quivra::xml
