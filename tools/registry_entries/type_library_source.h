#ifndef QUIVRA_TOOLS_REGISTRY_ENTRIES_TYPE_LIBRARY_SOURCE_H_
#define QUIVRA_TOOLS_REGISTRY_ENTRIES_TYPE_LIBRARY_SOURCE_H_

#include <stdexcept>
#include <string>
#include <vector>

namespace quivra::tools {

// What registration takes from the add-in's type library, read from the IDL it is compiled
// from: the library, its interfaces and its classes, with their GUIDs in registry form
// ("{...}", upper case), names, help strings and versions.
struct IdlInterface {
  std::string name;
  std::string iid;
  int version_major = 0;
  int version_minor = 0;
  // Dual and automation-compatible interfaces are marshalled by the type library's standard
  // marshaller, so registering the library writes an Interface key for them.
  bool automation = false;
};

struct IdlClass {
  std::string name;
  std::string class_id;
  std::string help_string;
};

struct IdlLibrary {
  std::string name;
  std::string lib_id;
  std::string help_string;
  int version_major = 0;
  int version_minor = 0;
  // The library's flags as registered: restricted 1, control 2, hidden 4, and 8 because the
  // library is a compiled file on disk.
  int flags = 0;
  std::vector<IdlInterface> interfaces;
  std::vector<IdlClass> classes;

  // The class named `name`; raises IdlError when the library has none.
  const IdlClass& Class(const std::string& name) const;
};

class IdlError : public std::runtime_error {
 public:
  explicit IdlError(const std::string& message) : std::runtime_error(message) {}
};

// Reads the library statement of an IDL text: the attribute block before `library`,
// `interface`, `dispinterface` and `coclass`, and their names. Raises IdlError when there is no
// library, or the library or a class has no uuid.
IdlLibrary ReadIdl(const std::string& text);

}  // namespace quivra::tools

#endif  // QUIVRA_TOOLS_REGISTRY_ENTRIES_TYPE_LIBRARY_SOURCE_H_
