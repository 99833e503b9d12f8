#include "core/ini_document.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

// A catalogue as the original program writes it, with the oddities users' files pick up.
constexpr std::string_view kCatalogue =
    "\xEF\xBB\xBF; written by hand\r\n"
    "[PROFILEDEVICECOUNT]\r\n"
    "count=2\r\n"
    "\r\n"
    "[ProfileDevice]\r\n"
    "  0 =  profile1  \r\n"
    "1=\"quoted name\"\r\n"
    "garbage line without equals\r\n"
    "2='single'\r\n"
    "3=\"unbalanced\r\n";

TEST(IniReading, SectionsAndKeysMatchWithoutRegardToCase) {
  const IniDocument document = IniDocument::Parse(kCatalogue);
  EXPECT_EQ(document.Get("profiledevicecount", "COUNT"), "2");
  EXPECT_EQ(document.Get("PROFILEDEVICE", "0"), "profile1");
}

TEST(IniReading, TrimsWhiteSpaceAndStripsMatchingQuotes) {
  const IniDocument document = IniDocument::Parse(kCatalogue);
  EXPECT_EQ(document.Get("ProfileDevice", "0"), "profile1");
  EXPECT_EQ(document.Get("ProfileDevice", "1"), "quoted name");
  EXPECT_EQ(document.Get("ProfileDevice", "2"), "single");
  EXPECT_EQ(document.Get("ProfileDevice", "3"), "\"unbalanced");
  EXPECT_EQ(IniDocument::Parse("[s]\nk=\"\n").Get("s", "k"), "\"");
  EXPECT_EQ(IniDocument::Parse("[s]\nk=\"\"\n").Get("s", "k"), "");
}

TEST(IniReading, MissingSectionOrKeyGivesTheDefault) {
  const IniDocument document = IniDocument::Parse(kCatalogue);
  EXPECT_EQ(document.Get("NOSECTION", "count"), "0");
  EXPECT_EQ(document.Get("PROFILEDEVICECOUNT", "nokey"), "0");
  EXPECT_EQ(document.Get("PROFILEDEVICECOUNT", "nokey", "fallback"), "fallback");
  EXPECT_FALSE(document.Find("PROFILEDEVICECOUNT", "nokey").has_value());
  EXPECT_EQ(IniDocument::Parse("").Get("a", "b"), "0");
}

TEST(IniReading, AnEmptyValueIsAValueNotAMissingKey) {
  const IniDocument document = IniDocument::Parse("[s]\nempty=\n");
  EXPECT_EQ(document.Get("s", "empty", "default"), "");
}

TEST(IniReading, FirstOfDuplicateSectionsAndKeysWins) {
  const IniDocument document =
      IniDocument::Parse("[A]\nk=first\nk=second\n[B]\nk=b\n[a]\nk=third\nonly_in_second=x\n");
  EXPECT_EQ(document.Get("A", "k"), "first");
  // Only the first section of a name is looked at, as the original does.
  EXPECT_EQ(document.Get("A", "only_in_second", "missing"), "missing");
  EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(document.KeyNames("a"), (std::vector<std::string>{"k"}));
}

TEST(IniReading, ToleratesLfLinesCommentsGarbageAndKeysBeforeAnySection) {
  const IniDocument document = IniDocument::Parse(
      "orphan=1\n"
      "]not a section\n"
      "; c=comment\n"
      "[S] trailing text\n"
      "=no name\n"
      "key=a=b\n"
      "last=no newline");
  EXPECT_EQ(document.Get("S", "key"), "a=b");
  EXPECT_EQ(document.Get("S", "last"), "no newline");
  EXPECT_EQ(document.Get("S", "; c"), "0");
  EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"S"}));
}

// Windows takes a line starting with '[' as a section header even without its closing bracket:
// the name runs to the last ']', or to the end of the line when there is none.
TEST(IniReading, AHeaderWithoutItsClosingBracketNamesTheRestOfTheLine) {
  struct Case {
    std::string_view text;
    std::string_view section;
    std::string_view key;
    std::string_view value;
  };
  const Case cases[] = {
      {"[SKINIMAGE\nFLAGS=1\n", "SKINIMAGE", "FLAGS", "1"},
      {"[SKINIMAGE\r\nIMAGE=a.png\r\n", "skinimage", "IMAGE", "a.png"},
      {"  [ SKINIMAGE \t\nFLAGS=1", "SKINIMAGE", "FLAGS", "1"},
      {"[A]\nk=a\n[B ; not a comment\nk=b\n", "B ; not a comment", "k", "b"},
      {"[S] x ] y\nk=v\n", "S] x", "k", "v"},
      {"[\nk=empty name\n", "", "k", "empty name"},
      {"[S]\nk=s\n[=x\nk=v\n", "=x", "k", "v"},
  };
  for (const Case& c : cases) {
    const IniDocument document = IniDocument::Parse(c.text);
    EXPECT_EQ(document.Find(c.section, c.key), std::string(c.value)) << c.text;
  }
  // The unclosed header ends the section before it, and a write goes into it.
  IniDocument document = IniDocument::Parse("[S]\nk=s\n[SKINIMAGE\nFLAGS=1\n");
  EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"S", "SKINIMAGE"}));
  EXPECT_EQ(document.KeyNames("S"), (std::vector<std::string>{"k"}));
  ASSERT_TRUE(document.Set("SKINIMAGE", "IMAGE", "b.png"));
  EXPECT_EQ(document.Serialize(), "[S]\nk=s\n[SKINIMAGE\nFLAGS=1\nIMAGE=b.png\n");
}

TEST(IniReading, ValuesAreCutToTheReadingBufferAtCharacterBoundaries) {
  const std::string ascii(300, 'x');
  EXPECT_EQ(IniDocument::Parse("[s]\nk=" + ascii + "\n").Get("s", "k"), std::string(259, 'x'));

  // "é" is one UTF-16 unit in two bytes: 259 of them fit, whole.
  std::string accented;
  for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
  EXPECT_EQ(IniDocument::Parse("[s]\nk=" + accented + "\n").Get("s", "k"),
            accented.substr(0, 259 * 2));

  // A character outside the basic plane takes two units: after 258 'x' it no longer fits.
  const std::string astral = std::string(258, 'x') + "\xF0\x9F\x98\x80" + "tail";
  EXPECT_EQ(IniDocument::Parse("[s]\nk=" + astral + "\n").Get("s", "k"), std::string(258, 'x'));

  EXPECT_EQ(IniDocument::Parse("").Get("s", "k", ascii), std::string(259, 'x'));
}

// Lists are read in one pass; each value must be what a lookup of its own key gives.
TEST(IniReading, ListsReadLikeTheirKeysOneByOne) {
  const std::string long_value(300, 'v');
  const std::string cases[] = {
      std::string(kCatalogue),
      "[L]\n2=two\n0=zero\n0=dup\n[l]\n1=hidden\n",
      "[L]\n 1 = ' spaced '\n00=lead\n01=lead\n+1=sign\n-0=minus\n1x=junk\n3=" + long_value + "\n",
      "[L]\n4294967296=wide\n9999999999=wide\n",
      "[other]\n0=x\n",
      "",
  };
  for (const std::string& text : cases) {
    const IniDocument document = IniDocument::Parse(text);
    for (const char* section : {"L", "ProfileDevice"}) {
      std::vector<std::string> one_by_one;
      for (int i = 0; i < 6; ++i)
        one_by_one.push_back(document.Get(section, std::to_string(i), "-"));
      EXPECT_EQ(document.GetList(section, 6, "-"), one_by_one) << text;
      EXPECT_EQ(document.GetList(section, 0), std::vector<std::string>{}) << text;
    }
  }
  EXPECT_EQ(IniDocument::Parse(kCatalogue).GetList("profiledevice", 4),
            (std::vector<std::string>{"profile1", "quoted name", "single", "\"unbalanced"}));
}

TEST(IniReading, IntegersUseTheDecimalPrefixRule) {
  const IniDocument document =
      IniDocument::Parse("[n]\na=42\nb=-7\nc=12abc\nd=abc\ne=\nf=+3\ng= 5 \n");
  EXPECT_EQ(document.GetInt("n", "a"), 42);
  EXPECT_EQ(document.GetInt("n", "b"), -7);
  EXPECT_EQ(document.GetInt("n", "c"), 12);
  EXPECT_EQ(document.GetInt("n", "d"), 0);
  EXPECT_EQ(document.GetInt("n", "e", 9), 0);
  EXPECT_EQ(document.GetInt("n", "f"), 3);
  EXPECT_EQ(document.GetInt("n", "g"), 5);
  EXPECT_EQ(document.GetInt("n", "missing", 9), 9);
}

TEST(IniWriting, UnchangedDocumentSerialisesByteForByte) {
  const std::string odd = "no newline at end\r\n[s]\nmixed=endings\r\n\n  ; spaced comment  ";
  EXPECT_EQ(IniDocument::Parse(kCatalogue).Serialize(), kCatalogue);
  EXPECT_EQ(IniDocument::Parse(odd).Serialize(), odd);
}

TEST(IniWriting, ReplacesAKeyInPlaceAndKeepsEverythingElse) {
  IniDocument document = IniDocument::Parse(kCatalogue);
  ASSERT_TRUE(document.Set("profiledevice", "0", "renamed"));
  std::string expected(kCatalogue);
  expected.replace(expected.find("  0 =  profile1  "), 17, "0=renamed");
  EXPECT_EQ(document.Serialize(), expected);
}

TEST(IniWriting, AppendsANewKeyAfterTheLastKeyOfItsSection) {
  IniDocument document = IniDocument::Parse("[a]\nx=1\n\n; about b\n[b]\ny=2\n");
  ASSERT_TRUE(document.Set("A", "z", "3"));
  EXPECT_EQ(document.Serialize(), "[a]\nx=1\nz=3\n\n; about b\n[b]\ny=2\n");
}

TEST(IniWriting, AppendsANewSectionAtTheEndWithTheFilesLineEnds) {
  IniDocument document = IniDocument::Parse("[a]\r\nx=1");
  ASSERT_TRUE(document.Set("NEW", "k", "v"));
  EXPECT_EQ(document.Serialize(), "[a]\r\nx=1\r\n[NEW]\r\nk=v\r\n");

  IniDocument fresh;
  ASSERT_TRUE(fresh.Set("MACROCOUNT", "count", "0"));
  EXPECT_EQ(fresh.Serialize(), "[MACROCOUNT]\r\ncount=0\r\n");

  IniDocument lf = IniDocument::Parse("[a]\n");
  ASSERT_TRUE(lf.Set("a", "k", "v"));
  EXPECT_EQ(lf.Serialize(), "[a]\nk=v\n");
}

TEST(IniWriting, WritesGoToTheFirstOfDuplicates) {
  IniDocument document = IniDocument::Parse("[A]\nk=1\nk=2\n[A]\nk=3\n");
  ASSERT_TRUE(document.Set("a", "K", "9"));
  EXPECT_EQ(document.Serialize(), "[A]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST(IniWriting, RefusesWhatWouldNotReadBackAsWritten) {
  IniDocument document = IniDocument::Parse("[s]\nk=v\n");
  const std::string before = document.Serialize();
  EXPECT_FALSE(document.Set("s", "k", "line\nbreak"));
  EXPECT_FALSE(document.Set("s", "k", "carriage\rreturn"));
  EXPECT_FALSE(document.Set("s", "k", std::string_view("nul\0byte", 8)));
  EXPECT_FALSE(document.Set("s\n[evil]", "k", "v"));
  EXPECT_FALSE(document.Set("s", "a=b", "v"));
  EXPECT_FALSE(document.Set("s", "", "v"));
  EXPECT_FALSE(document.Set("s", "  ", "v"));
  EXPECT_FALSE(document.Set("s", "[x]", "v"));
  EXPECT_FALSE(document.Set("s", ";x", "v"));
  EXPECT_EQ(document.Serialize(), before);
}

TEST(IniWriting, WrittenValuesReadBack) {
  IniDocument document;
  const std::string names[] = {"profile 1", "中文名字", "with=equals", "\"quoted\"", ""};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    ASSERT_TRUE(document.Set("LIST", std::to_string(i), names[i]));
  }
  const IniDocument reread = IniDocument::Parse(document.Serialize());
  EXPECT_EQ(reread.Get("LIST", "0"), "profile 1");
  EXPECT_EQ(reread.Get("LIST", "1"), "中文名字");
  EXPECT_EQ(reread.Get("LIST", "2"), "with=equals");
  EXPECT_EQ(reread.Get("LIST", "3"), "quoted");  // the reading rule strips the quotes
  EXPECT_EQ(reread.Get("LIST", "4", "default"), "");
}

TEST(IniDeleting, RemovesAKeyWithItsDuplicatesFromTheFirstSectionOnly) {
  IniDocument document = IniDocument::Parse("[a]\nk=1\nx=2\nK=3\n[a]\nk=4\n");
  EXPECT_TRUE(document.RemoveKey("A", "k"));
  EXPECT_EQ(document.Serialize(), "[a]\nx=2\n[a]\nk=4\n");
  EXPECT_FALSE(document.RemoveKey("a", "absent"));
  EXPECT_FALSE(document.RemoveKey("absent", "x"));
}

TEST(IniDeleting, RemovesEveryCopyOfASectionSoNoStaleDuplicateShowsThrough) {
  IniDocument document = IniDocument::Parse("; top\n[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n");
  EXPECT_TRUE(document.RemoveSection("a"));
  EXPECT_EQ(document.Serialize(), "; top\n[B]\nk=2\n");
  EXPECT_EQ(document.Get("A", "k"), "0");
  EXPECT_FALSE(document.RemoveSection("A"));
}

}  // namespace
}  // namespace vandrel
