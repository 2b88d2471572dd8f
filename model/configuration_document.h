#ifndef QUIVRA_MODEL_CONFIGURATION_DOCUMENT_H_
#define QUIVRA_MODEL_CONFIGURATION_DOCUMENT_H_

#include <stdexcept>
#include <string>

#include "model/configuration.h"
#include "xml/document.h"

namespace quivra::core {

// A value of the configuration document is not what its element calls for.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

// An element of the configuration document lacks what it must have.
class AssertionError : public std::runtime_error {
 public:
  explicit AssertionError(const std::string& message) : std::runtime_error(message) {}
};

// Reads the document's sections (folders, mainbutton, setup, treeconfig, mrulist) over the
// configuration, in document order. Stops with ConversionError or AssertionError at the first
// bad value; what was read before it stays in the configuration.
void ReadConfigurationDocument(const xml::Document& document, Configuration& configuration);

// The document that holds the whole configuration; `modified` is the time stamp of its
// "Modified" comment.
xml::Document BuildConfigurationDocument(const Configuration& configuration,
                                         const std::string& modified);

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_CONFIGURATION_DOCUMENT_H_
