#include "model/mail_keys.h"

#include <array>

namespace quivra::core {

namespace {

constexpr std::string_view kSpaces = " \t\r\n";

std::string_view Trim(std::string_view text) {
  const size_t begin = text.find_first_not_of(kSpaces);
  if (begin == std::string_view::npos) {
    return {};
  }
  return text.substr(begin, text.find_last_not_of(kSpaces) - begin + 1);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

// Prefixes in lower case, without their colon.
constexpr std::array<std::string_view, 20> kPrefixes = {
    "re", "fw", "fwd", "aw",   "wg",     "sv", "vs", "tr",  "rif", "i",
    "r",  "rv", "enc", "antw", "doorst", "vb", "vl", "odp", "pd",  "ynt"};
constexpr std::string_view kTurkishForward = "\xC4\xB0LT";  // "İLT"

// The length of a reply or forward prefix, colon and following spaces included, at the start
// of `text`; 0 when there is none.
size_t PrefixLength(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 8) {
    return 0;
  }
  const std::string word = Lower(text.substr(0, colon));
  bool known = word == Lower(kTurkishForward);
  for (std::string_view prefix : kPrefixes) {
    known = known || word == prefix;
  }
  if (!known) {
    return 0;
  }
  const size_t next = text.find_first_not_of(kSpaces, colon + 1);
  return next == std::string_view::npos ? text.size() : next;
}

}  // namespace

std::string NormalSender(std::string_view address) {
  return Lower(Trim(address));
}

std::string SenderDomain(std::string_view normal_address) {
  if (!normal_address.empty() && normal_address.front() == '/') {
    const size_t common_name = normal_address.find("/cn=");
    return std::string(normal_address.substr(0, common_name));
  }
  const size_t at = normal_address.rfind('@');
  if (at == std::string_view::npos || at + 1 == normal_address.size()) {
    return {};
  }
  return std::string(normal_address.substr(at + 1));
}

std::string ConversationOfSubject(std::string_view subject) {
  std::string_view rest = Trim(subject);
  for (size_t length = PrefixLength(rest); length > 0; length = PrefixLength(rest)) {
    rest = Trim(rest.substr(length));
  }
  return Lower(rest);
}

MailKeys KeysOfMail(std::string_view sender_address,
                    std::string_view conversation_id,
                    std::string_view subject) {
  MailKeys keys;
  keys.sender = NormalSender(sender_address);
  keys.domain = SenderDomain(keys.sender);
  if (!Trim(conversation_id).empty()) {
    keys.conversation = "id:" + std::string(Trim(conversation_id));
  } else {
    const std::string topic = ConversationOfSubject(subject);
    if (!topic.empty()) {
      keys.conversation = "subject:" + topic;
    }
  }
  return keys;
}

}  // namespace quivra::core
