#include "model/mail_keys.h"

#include <gtest/gtest.h>

namespace quivra::core {
namespace {

TEST(MailKeysTest, SenderAndDomainOfInternetAndExchangeAddresses) {
  const MailKeys internet = KeysOfMail("  Ann.Lee@Contoso.COM ", "", "Budget");
  EXPECT_EQ(internet.sender, "ann.lee@contoso.com");
  EXPECT_EQ(internet.domain, "contoso.com");

  const MailKeys exchange =
      KeysOfMail("/O=CONTOSO/OU=EXCHANGE ADMINISTRATIVE GROUP/CN=RECIPIENTS/CN=ANNLEE", "", "x");
  EXPECT_EQ(exchange.domain, "/o=contoso/ou=exchange administrative group");

  EXPECT_EQ(KeysOfMail("", "", "x").domain, "");
  EXPECT_EQ(KeysOfMail("postmaster", "", "x").domain, "");
}

TEST(MailKeysTest, ConversationIdComesBeforeTheSubject) {
  EXPECT_EQ(KeysOfMail("a@b.c", "8F1A", "RE: Budget").conversation, "id:8F1A");
  EXPECT_EQ(KeysOfMail("a@b.c", "", "RE: Budget").conversation, "subject:budget");
  EXPECT_EQ(KeysOfMail("a@b.c", "", "  ").conversation, "");
}

TEST(MailKeysTest, ReplyAndForwardPrefixesOfSeveralLanguagesGo) {
  EXPECT_EQ(ConversationOfSubject("RE: FW: Re:Fwd:  Budget 2027 "), "budget 2027");
  EXPECT_EQ(ConversationOfSubject("AW: WG: Angebot"), "angebot");
  EXPECT_EQ(ConversationOfSubject("SV: VS: Möte"), "möte");
  EXPECT_EQ(ConversationOfSubject("TR: RE: Réunion"), "réunion");
  EXPECT_EQ(ConversationOfSubject("RIF: I: Riunione"), "riunione");
  EXPECT_EQ(ConversationOfSubject("RV: ENC: Reunião"), "reunião");
  EXPECT_EQ(ConversationOfSubject("\xC4\xB0LT: YNT: Toplant\xC4\xB1"), "toplant\xC4\xB1");
  // A colon that is not after a prefix stays.
  EXPECT_EQ(ConversationOfSubject("Agenda: RE: items"), "agenda: re: items");
  EXPECT_EQ(ConversationOfSubject("Ticket:12"), "ticket:12");
}

}  // namespace
}  // namespace quivra::core
