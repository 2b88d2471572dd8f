#ifndef QUIVRA_XML_XML_ERROR_H_
#define QUIVRA_XML_XML_ERROR_H_

#include <stdexcept>
#include <string>

namespace quivra::xml {

// Text that is not well-formed XML. Line and column (both from 1, the column counted in
// characters) point at the place where the parser gave up.
class ParseError : public std::runtime_error {
 public:
  ParseError(const std::string& what, int line, int column);

  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

}  // namespace quivra::xml

#endif  // QUIVRA_XML_XML_ERROR_H_
