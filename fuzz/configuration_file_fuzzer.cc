// Feeds arbitrary bytes as the configuration file's contents to the loader's reading path (the
// decoding by byte-order mark, declaration or code page, the XML parser and the reading of the
// values), in memory. The loader may refuse the bytes with its errors, but must never crash, hang
// or leak. What it accepted must survive a save: the saved text reads back to the same
// configuration and saves to the same text. The XML parser alone must read its own output back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/configuration.h"
#include "model/configuration_document.h"
#include "model/configuration_file.h"
#include "platform/sim/sim_text_codec.h"
#include "xml/document.h"
#include "xml/xml_error.h"

namespace {

using quivra::core::Configuration;
using quivra::core::ConfigurationFile;

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// Whether an element holds both text and elements, which the document model keeps as its text
// followed by its elements (the file never has such elements).
bool HasMixedContent(const quivra::xml::Node& node) {
  if (node.ChildCount() == 0) {
    return false;
  }
  if (!node.Text().empty()) {
    return true;
  }
  for (size_t i = 0; i < node.ChildCount(); ++i) {
    if (HasMixedContent(node.Child(i))) {
      return true;
    }
  }
  return false;
}

// Parses, writes and parses again: the second text equals the first.
void CheckParserRoundTrip(std::string_view bytes) {
  std::optional<quivra::xml::Document> document;
  try {
    document = quivra::xml::Document::Parse(bytes);
  } catch (const quivra::xml::ParseError&) {
    return;
  }
  if (!document ||
      (document->DocumentElement() != nullptr && HasMixedContent(*document->DocumentElement()))) {
    return;
  }
  const std::string text = document->Serialize("\n", " ");
  std::optional<quivra::xml::Document> again;
  try {
    again = quivra::xml::Document::Parse(text);
  } catch (const quivra::xml::ParseError&) {
    std::abort();
  }
  Require(again.has_value() && again->Serialize("\n", " ") == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static quivra::platform::sim::SimTextCodec codec;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckParserRoundTrip(bytes);

  Configuration config;
  try {
    ConfigurationFile::ReadBytes(bytes, config, codec);
  } catch (const quivra::xml::ParseError&) {
    return 0;
  } catch (const quivra::core::ConversionError&) {
    return 0;
  } catch (const quivra::core::AssertionError&) {
    return 0;
  }
  const quivra::platform::LocalTime time{2026, 12, 9, 10, 30, 12};
  const std::string saved = ConfigurationFile::Render(config, time, ":");
  Configuration back;
  try {
    ConfigurationFile::ReadBytes(saved, back, codec);
  } catch (const std::exception&) {
    std::abort();
  }
  Require(ConfigurationFile::Render(back, time, ":") == saved);
  return 0;
}
