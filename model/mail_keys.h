#ifndef QUIVRA_MODEL_MAIL_KEYS_H_
#define QUIVRA_MODEL_MAIL_KEYS_H_

#include <string>
#include <string_view>

namespace quivra::core {

// What a filed mail is recognised by, as text before hashing: its sender's address, the
// sender's domain and its conversation. Empty: not known.
struct MailKeys {
  std::string sender;
  std::string domain;
  std::string conversation;
};

// The sender's address in one spelling (trimmed, ASCII letters in lower case).
std::string NormalSender(std::string_view address);

// The domain of a normal sender address: what follows the last "@" of an Internet address;
// for an Exchange (X.500) address "/o=org/ou=group/cn=recipients/cn=name", the organisation
// and group before the first "/cn=". Empty when the address has neither.
std::string SenderDomain(std::string_view normal_address);

// A subject as the conversation it belongs to: reply and forward prefixes ("RE:", "FW:",
// "Fwd:", and the ones Outlook writes in other languages: "AW:", "WG:", "SV:", "VS:", "TR:",
// "RIF:", "I:", "R:", "RV:", "ENC:", "Antw:", "Doorst:", "VB:", "VL:", "ODP:", "PD:", "YNT:",
// "İLT:") removed however often they repeat, then trimmed, ASCII letters in lower case.
std::string ConversationOfSubject(std::string_view subject);

// The keys of a mail from its sender's address and, where Outlook has one, its conversation
// id, else its subject.
MailKeys KeysOfMail(std::string_view sender_address,
                    std::string_view conversation_id,
                    std::string_view subject);

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_MAIL_KEYS_H_
