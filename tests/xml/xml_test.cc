#include <string>

#include <gtest/gtest.h>

#include "xml/document.h"
#include "xml/utf8.h"
#include "xml/xml_error.h"

namespace quivra::xml {
namespace {

// Parses `text` into `out`; a test that gets no document or no document element stops there
// (call it through ASSERT_NO_FATAL_FAILURE).
void MustParse(std::string_view text, Document& out) {
  std::optional<Document> document = Document::Parse(text);
  ASSERT_TRUE(document.has_value());
  ASSERT_NE(document->DocumentElement(), nullptr);
  out = std::move(*document);
}

TEST(XmlParse, EmptyTextGivesNoDocument) {
  EXPECT_FALSE(Document::Parse("").has_value());
}

TEST(XmlParse, ElementChildrenOnlyWithTextUnescaped) {
  Document document;
  ASSERT_NO_FATAL_FAILURE(MustParse(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<!--comment-->\r\n"
      "<config>\r\n"
      "  <!-- inner comment -->\r\n"
      "  <a id=\"7\" x='y'>R&amp;D &lt;new&gt; &quot;q&quot; &apos;s&apos; &#65;&#x42;</a>\r\n"
      "  <b/>\r\n"
      "  <c>  spaced  </c>\r\n"
      "  <d><![CDATA[<raw & text>]]></d>\r\n"
      "</config>\r\n",
      document));
  const Node* root = document.DocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), "config");
  ASSERT_EQ(root->ChildCount(), 4u);
  EXPECT_EQ(root->Text(), "");
  EXPECT_EQ(root->Child(0).Name(), "a");
  EXPECT_EQ(root->Child(0).Text(), "R&D <new> \"q\" 's' AB");
  EXPECT_TRUE(root->Child(0).HasAttributes());
  EXPECT_EQ(root->Child(0).FirstAttributeValue(), "7");
  EXPECT_FALSE(root->Child(1).HasAttributes());
  EXPECT_EQ(root->Child(1).Text(), "");
  EXPECT_EQ(root->Child(2).Text(), "  spaced  ");
  EXPECT_EQ(root->Child(3).Text(), "<raw & text>");
  EXPECT_EQ(document.Declaration(), "xml version=\"1.0\" encoding=\"UTF-8\" ");
}

TEST(XmlParse, MalformedTextNamesLineAndColumn) {
  struct Case {
    const char* text;
    int line;
    int column;
  };
  const Case cases[] = {
      {"<a>\n  <b></c>\n</a>", 2, 8},
      {"<a>\n\n  <b>", 3, 6},
      {"<a x=1/>", 1, 6},
      {"<a>&bogus;</a>", 1, 4},
      {"<a></a><b/>", 1, 8},
      {"<a x='1' x='2'/>", 1, 10},
      {"<a>&#0;</a>", 1, 4},
      {"text", 1, 1},
      {"<a><!-- open", 1, 4},
      {"<!DOCTYPE a><a/>", 1, 1},
  };
  for (const Case& c : cases) {
    try {
      Document::Parse(c.text);
      ADD_FAILURE() << "parsed: " << c.text;
    } catch (const ParseError& error) {
      EXPECT_EQ(error.line(), c.line) << c.text << ": " << error.what();
      EXPECT_EQ(error.column(), c.column) << c.text << ": " << error.what();
    }
  }
}

// The reason goes into the damaged configuration file's message, so it must say what is wrong.
TEST(XmlParse, MalformedTextSaysWhatIsWrong) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"<a>&#x;</a>", "empty character reference at line 1, column 4"},
      {"<a>&#xZZ;</a>", "bad character reference at line 1, column 4"},
      {"<a>&#x110000;</a>", "character reference out of range at line 1, column 4"},
      {"<a>&#xD800;</a>",
       "character reference to a character XML does not allow at line 1, column 4"},
      {"<a>&bogus;</a>", "unknown entity reference &bogus; at line 1, column 4"},
      {"<a>&amp</a>", "unterminated entity reference at line 1, column 4"},
      {"<a><!-- open", "unterminated comment at line 1, column 4"},
      {"<a><!-- a -- b --></a>", "\"--\" inside a comment at line 1, column 11"},
      {"<a x='<'/>", "\"<\" in an attribute value at line 1, column 7"},
      {"<a x='1' x='2'/>", "attribute \"x\" given twice at line 1, column 10"},
      {"<a></b>", "end tag \"b\" does not match \"a\" at line 1, column 6"},
      {"<a><![CDATA[ x", "unterminated CDATA section at line 1, column 4"},
      {"<a><?pi ", "unterminated processing instruction at line 1, column 4"},
  };
  for (const auto& c : cases) {
    try {
      Document::Parse(c.text);
      ADD_FAILURE() << "parsed: " << c.text;
    } catch (const ParseError& error) {
      EXPECT_STREQ(error.what(), c.reason) << c.text;
    }
  }
}

// A zero byte (as a file cut short by a crash holds) is refused, even inside text, where the
// writer could not write it back.
TEST(XmlParse, ZeroCharacterIsRefusedWhereItStands) {
  try {
    Document::Parse(std::string("<a>\n x\0</a>", 11));
    ADD_FAILURE() << "parsed";
  } catch (const ParseError& error) {
    EXPECT_EQ(error.line(), 2);
    EXPECT_EQ(error.column(), 3);
  }
}

TEST(XmlParse, ColumnsCountCharactersNotBytes) {
  try {
    Document::Parse("<a>Привет</b>");
    FAIL();
  } catch (const ParseError& error) {
    EXPECT_EQ(error.column(), 12);
  }
}

TEST(XmlParse, HostileNestingIsRefusedWithoutExhaustingTheStack) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<a>";
  for (int i = 0; i < 100000; ++i) text += "</a>";
  EXPECT_THROW(Document::Parse(text), ParseError);

  std::string allowed;
  for (int i = 0; i < Document::kMaxDepth; ++i) allowed += "<a>";
  for (int i = 0; i < Document::kMaxDepth; ++i) allowed += "</a>";
  EXPECT_NO_THROW(Document::Parse(allowed));
}

TEST(XmlParse, HugeAttributeValue) {
  std::string value(10 * 1024 * 1024, 'x');
  value[12345] = '&';
  value.replace(12346, 4, "amp;");
  Document document;
  ASSERT_NO_FATAL_FAILURE(MustParse("<a v=\"" + value + "\"/>", document));
  EXPECT_EQ(document.DocumentElement()->FirstAttributeValue().size(),
            value.size() - 4);
}

TEST(XmlSerialize, LayoutAndEscaping) {
  Document document;
  document.SetDeclaration("xml version=\"1.0\"");
  document.AppendChild(Node::Comment("note"));
  Node& root = document.AppendChild(Node::Element("root"));
  Node& item = root.AppendElement("item");
  item.AddAttribute("id", "1");
  item.AppendElement("name", std::string("A&B &lt; \"q\" 'a' <x>\t\r\n") + '\0' + "z");
  item.AppendElement("empty");
  root.AppendElement("leaf", "v");
  EXPECT_EQ(document.Serialize("\r\n", "  "),
            "<?xml version=\"1.0\"?>\r\n"
            "<!--note-->\r\n"
            "<root>\r\n"
            "  <item id=\"1\">\r\n"
            "    <name>A&amp;B &amp;lt; &quot;q&quot; &apos;a&apos; &lt;x&gt;&#9;&#13;&#10;z</name>\r\n"
            "    <empty/>\r\n"
            "  </item>\r\n"
            "  <leaf>v</leaf>\r\n"
            "</root>\r\n");
}

TEST(XmlSerialize, EscapedTextParsesBackUnchanged) {
  const std::string original = "Sales & Marketing &lt;new&gt; \x01 tab\t \x1F \"'<>é漢";
  Document document;
  Node& root = document.AppendChild(Node::Element("r", original));
  root.AddAttribute("a", original);
  // Control characters are written as references, never as themselves.
  const std::string text = document.Serialize("\n", " ");
  EXPECT_EQ(text.find('\x01'), std::string::npos);
  EXPECT_EQ(text.find('\x1F'), std::string::npos);
  EXPECT_NE(text.find("&#31;"), std::string::npos);
  Document back;
  ASSERT_NO_FATAL_FAILURE(MustParse(text, back));
  EXPECT_EQ(back.DocumentElement()->Text(), original);
  EXPECT_EQ(back.DocumentElement()->FirstAttributeValue(), original);
}

TEST(Utf8, CharactersAreEncodedAndNonCharactersReplaced) {
  const std::string replacement = "\xEF\xBF\xBD";
  const auto encoded = [](char32_t code) {
    std::string out;
    AppendUtf8(out, code);
    return out;
  };
  EXPECT_EQ(encoded(U'A'), "A");
  EXPECT_EQ(encoded(0xE9), "\xC3\xA9");
  EXPECT_EQ(encoded(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(encoded(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(encoded(0x10FFFF), "\xF4\x8F\xBF\xBF");
  // Surrogates and numbers beyond Unicode are no characters.
  EXPECT_EQ(encoded(0xD800), replacement);
  EXPECT_EQ(encoded(0xDFFF), replacement);
  EXPECT_EQ(encoded(0x110000), replacement);
}

TEST(Utf8, SanitizingKeepsWellFormedTextAndReplacesEachBadByte) {
  // Plain, two-, three- and four-byte characters pass unchanged.
  const std::string good = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
  EXPECT_EQ(SanitizeUtf8(good), good);
  // A stray continuation byte, a cut-off sequence at the end, an overlong form and an encoded
  // surrogate: every byte that starts no well-formed character becomes U+FFFD.
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(SanitizeUtf8("a\x80"
                         "b"),
            "a" + replacement + "b");
  EXPECT_EQ(SanitizeUtf8("a\xC3"), "a" + replacement);
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), replacement + replacement);
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), replacement + replacement + replacement);
  EXPECT_NO_THROW(RequireUtf8(good));
  // Only the text given is read, not the byte after it.
  EXPECT_NO_THROW(RequireUtf8(std::string_view("ok\xFF", 2)));
  try {
    RequireUtf8("ok\n\xC3\xA9\xED\xA0\x80");
    ADD_FAILURE() << "an encoded surrogate passed";
  } catch (const ParseError& error) {
    EXPECT_STREQ(error.what(), "the text is not valid UTF-8 at line 2, column 2");
  }
}

TEST(XmlParse, LineEndsInTextBecomeOneLineFeedEach) {
  Document document;
  ASSERT_NO_FATAL_FAILURE(MustParse("<a>one\r\ntwo\rthree\nfour\r\r\nfive</a>", document));
  EXPECT_EQ(document.DocumentElement()->Text(), "one\ntwo\nthree\nfour\n\nfive");
}

}  // namespace
}  // namespace quivra::xml
