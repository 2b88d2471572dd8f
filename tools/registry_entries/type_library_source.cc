#include "tools/registry_entries/type_library_source.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace quivra::tools {

namespace {

// The text without its // and /* */ comments; string literals are kept whole.
std::string WithoutComments(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') {
      const size_t end = text.find('"', i + 1);
      const size_t stop = end == std::string::npos ? text.size() : end + 1;
      out.append(text, i, stop - i);
      i = stop - 1;
    } else if (text.compare(i, 2, "//") == 0) {
      i = text.find('\n', i);
      if (i == std::string::npos) {
        break;
      }
      out += '\n';
    } else if (text.compare(i, 2, "/*") == 0) {
      const size_t end = text.find("*/", i + 2);
      if (end == std::string::npos) {
        break;
      }
      i = end + 1;
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

size_t SkipBlanks(const std::string& text, size_t at) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
    ++at;
  }
  return at;
}

std::string NameAt(const std::string& text, size_t& at) {
  at = SkipBlanks(text, at);
  const size_t begin = at;
  while (at < text.size() && IsNameChar(text[at])) {
    ++at;
  }
  return text.substr(begin, at - begin);
}

// The argument of `attribute(...)` in an attribute block, if the block has it.
std::optional<std::string> Argument(const std::string& block, const std::string& attribute) {
  size_t at = 0;
  while ((at = block.find(attribute, at)) != std::string::npos) {
    const bool starts = at == 0 || !IsNameChar(block[at - 1]);
    const size_t open = SkipBlanks(block, at + attribute.size());
    if (starts && open < block.size() && block[open] == '(') {
      const size_t close = block.find(')', open);
      if (close == std::string::npos) {
        return std::nullopt;
      }
      std::string argument = block.substr(open + 1, close - open - 1);
      argument.erase(0, argument.find_first_not_of(" \t\r\n"));
      argument.erase(argument.find_last_not_of(" \t\r\n") + 1);
      if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
        argument = argument.substr(1, argument.size() - 2);
      }
      return argument;
    }
    at += attribute.size();
  }
  return std::nullopt;
}

// Whether the block has the bare attribute `word` (dual, hidden …).
bool HasWord(const std::string& block, const std::string& word) {
  size_t at = 0;
  while ((at = block.find(word, at)) != std::string::npos) {
    const size_t end = at + word.size();
    if ((at == 0 || !IsNameChar(block[at - 1])) &&
        (end == block.size() || !IsNameChar(block[end]))) {
      return true;
    }
    at = end;
  }
  return false;
}

std::string RegistryGuid(const std::string& uuid, const std::string& item) {
  std::string guid = uuid;
  std::transform(guid.begin(), guid.end(), guid.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (guid.size() != 36 || std::count(guid.begin(), guid.end(), '-') != 4 ||
      !std::all_of(guid.begin(), guid.end(),
                   [](unsigned char c) { return c == '-' || std::isxdigit(c); })) {
    throw IdlError("The uuid of " + item + " is not a GUID: " + uuid);
  }
  return "{" + guid + "}";
}

void ReadVersion(const std::string& block, int& major, int& minor) {
  const std::optional<std::string> version = Argument(block, "version");
  if (!version) {
    return;
  }
  const size_t dot = version->find('.');
  try {
    major = std::stoi(version->substr(0, dot));
    minor = dot == std::string::npos ? 0 : std::stoi(version->substr(dot + 1));
  } catch (const std::exception&) {
    throw IdlError("Not a version: " + *version);
  }
}

// The ']' that closes the attribute block opened at `open`; brackets in strings do not count.
size_t BlockEnd(const std::string& text, size_t open) {
  bool in_string = false;
  for (size_t i = open + 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      in_string = !in_string;
    } else if (text[i] == ']' && !in_string) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

const IdlClass& IdlLibrary::Class(const std::string& class_name) const {
  for (const IdlClass& item : classes) {
    if (item.name == class_name) {
      return item;
    }
  }
  throw IdlError("The type library has no class " + class_name);
}

IdlLibrary ReadIdl(const std::string& source) {
  const std::string text = WithoutComments(source);
  IdlLibrary library;
  bool have_library = false;
  size_t at = 0;
  while ((at = text.find('[', at)) != std::string::npos) {
    const size_t close = BlockEnd(text, at);
    if (close == std::string::npos) {
      break;
    }
    const std::string block = text.substr(at + 1, close - at - 1);
    size_t next = close + 1;
    const std::string keyword = NameAt(text, next);
    const std::string name = NameAt(text, next);
    at = close + 1;
    if (keyword != "library" && keyword != "interface" && keyword != "dispinterface" &&
        keyword != "coclass") {
      continue;
    }
    const std::optional<std::string> uuid = Argument(block, "uuid");
    if (!uuid && keyword != "library" && keyword != "coclass") {
      // A coclass's list of its interfaces: "[default] interface IcoOLQuivra;".
      continue;
    }
    if (!uuid) {
      throw IdlError(keyword + " " + name + " has no uuid");
    }
    const std::string guid = RegistryGuid(*uuid, keyword + " " + name);
    if (keyword == "library") {
      library.name = name;
      library.lib_id = guid;
      library.help_string = Argument(block, "helpstring").value_or("");
      ReadVersion(block, library.version_major, library.version_minor);
      library.flags = (HasWord(block, "restricted") ? 1 : 0) | (HasWord(block, "control") ? 2 : 0) |
                      (HasWord(block, "hidden") ? 4 : 0) | 8;
      have_library = true;
    } else if (keyword == "coclass") {
      library.classes.push_back({name, guid, Argument(block, "helpstring").value_or("")});
    } else {
      IdlInterface item{name, guid};
      ReadVersion(block, item.version_major, item.version_minor);
      item.automation =
          keyword == "dispinterface" || HasWord(block, "dual") || HasWord(block, "oleautomation");
      library.interfaces.push_back(item);
    }
  }
  if (!have_library) {
    throw IdlError("The IDL has no library statement");
  }
  return library;
}

}  // namespace quivra::tools
