#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_STRINGS_FOLDER.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

const char* kSheet = R"(<?xml version="1.0" encoding="UTF-8"?>
<?mso-application progid="Excel.Sheet"?>
<Workbook>
  <Styles><Style/></Styles>
  <Worksheet>
    <Table>
      <Row><Cell><Data>key</Data></Cell><Cell><Data>text</Data></Cell></Row>
      <Row><Cell><Data>window_title</Data></Cell><Cell><Data>Picture Logic</Data></Cell></Row>
      <Row><Cell><Data>window_title</Data></Cell><Cell><Data>second</Data></Cell></Row>
      <Row><Cell><Data>empty_text</Data></Cell><Cell/></Row>
      <Row><Cell><Data>umlaut</Data></Cell><Cell><Data>Grüße &#10;€ 😀</Data></Cell><Cell><Data>ignored</Data></Cell></Row>
      <Row><Cell><Data>rich</Data></Cell><Cell><Data><Font>bold</Font> and plain</Data></Cell></Row>
      <Row><Cell/><Cell><Data>no key</Data></Cell></Row>
    </Table>
  </Worksheet>
  <Worksheet><Table><Row><Cell><Data>later</Data></Cell><Cell><Data>sheet</Data></Cell></Row></Table></Worksheet>
</Workbook>)";

}  // namespace

TEST(KC_STRING_TABLE, ReadsRowsOfKeyAndTextCells) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kSheet));
    KC_STRING_TABLE table;
    EXPECT_EQ(table.fRead(KC_STRING_TABLE::fFirstRow(document)), 7u);
    EXPECT_EQ(table.fGetCount(), 7u);
    EXPECT_EQ(table.fGetEntries()[1]->mRow, 2);

    EXPECT_EQ(table.fGet("window_title"), "Picture Logic") << "the first of equal keys wins";
    EXPECT_EQ(table.fGet("key"), "text") << "a header row is an ordinary row";
    EXPECT_EQ(table.fGet("empty_text"), "") << "a cell without a child element";
    EXPECT_EQ(table.fGet("rich"), "bold and plain");
    EXPECT_EQ(table.fGet(""), "no key");
    EXPECT_EQ(table.fGet("later"), "etwas") << "only the first worksheet";
    EXPECT_EQ(table.fGet("Window_Title"), "etwas") << "keys are case-sensitive";
    EXPECT_EQ(table.fGetString("umlaut"), L"Grüße \n€ 😀");

    // Reading again replaces the entries.
    pugi::xml_document other;
    ASSERT_TRUE(other.load_string("<Workbook><Worksheet><Table><Row><Cell><Data>a</Data></Cell>"
                                  "<Cell><Data>b</Data></Cell></Row></Table></Worksheet></Workbook>"));
    EXPECT_EQ(table.fRead(KC_STRING_TABLE::fFirstRow(other)), 1u);
    EXPECT_EQ(table.fGet("window_title"), "etwas");
    EXPECT_EQ(table.fGet("a"), "b");
}

TEST(KC_STRING_TABLE, EmptyOrForeignDocumentsGiveThePlaceholder) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<ss:Workbook><ss:Worksheet/></ss:Workbook>"));
    KC_STRING_TABLE table;
    EXPECT_EQ(table.fRead(KC_STRING_TABLE::fFirstRow(document)), 0u);
    EXPECT_EQ(table.fGet("window_title"), "etwas");
    EXPECT_EQ(table.fGetString("anything"), L"etwas");
    table.fClear();
    EXPECT_EQ(table.fGetCount(), 0u);
}

TEST(KC_STRING_TABLE, WidensUtf8Safely) {
    EXPECT_EQ(KC_STRING_TABLE::fWiden("a\xC3\xA9"), L"a\u00E9");
    EXPECT_EQ(KC_STRING_TABLE::fWiden("\xE2\x82"), std::wstring(2, L'\uFFFD')) << "cut short";
    EXPECT_EQ(KC_STRING_TABLE::fWiden("\xC0\xAF"), std::wstring(2, L'\uFFFD')) << "overlong";
    EXPECT_EQ(KC_STRING_TABLE::fWiden("\xED\xA0\x80"), std::wstring(3, L'\uFFFD')) << "surrogate";
}

TEST(KC_STRINGS_FOLDER, MountsTheFirstLanguageThatExists) {
    KC_FILESYSTEM::fGetInstance();
    TestEnvironment::fWriteFile("Resources/lang/de/strings.xml",
                                "<Workbook><Worksheet><Table><Row><Cell><Data>hi</Data></Cell>"
                                "<Cell><Data>Hallo</Data></Cell></Row></Table></Worksheet></Workbook>");
    KC_REPOSITORY repository;
    KC_STRINGS_FOLDER folder("lang/", "", "de", "en", &repository);
    EXPECT_TRUE(folder.fChoose("fr"));
    EXPECT_EQ(folder.fGetCurrent(), "de");
    ASSERT_EQ(repository.fGetGroupNames(), (std::vector<std::string>{"lang/de"}));

    folder.mDocument = repository.fGetXml("lang/de strings.xml");
    ASSERT_NE(folder.mDocument, nullptr);
    KC_STRING_TABLE table;
    table.fRead(KC_STRING_TABLE::fFirstRow(*folder.mDocument));
    EXPECT_EQ(table.fGet("hi"), "Hallo");

    folder.fUnload();
    EXPECT_EQ(folder.fGetCurrent(), "");
    EXPECT_EQ(folder.mDocument, nullptr);
    EXPECT_TRUE(repository.fGetGroupNames().empty()) << "the language's list is unmounted";
    folder.fUnload();

    KC_STRINGS_FOLDER none("lang/", "", "it", "es", &repository);
    EXPECT_FALSE(none.fChoose("fr"));
    EXPECT_EQ(none.fGetCurrent(), "");
}

// A cell nesting elements tens of thousands deep (a 350 KB document) once
// overflowed the stack; its text is now gathered without recursion, and in
// document order at any depth.
TEST(KC_STRING_TABLE, DeeplyNestedCellsReadWithoutExhaustingTheStack) {
    constexpr int kDepth = 50000;
    std::string xml = "<Workbook><Worksheet><Table><Row><Cell>";
    for (int i = 0; i < kDepth; ++i) xml += "<a>";
    xml += "x";
    for (int i = 0; i < kDepth; ++i) xml += "</a>";
    xml += "</Cell><Cell><Data>t</Data></Cell></Row>"
           "<Row><Cell><Data>k</Data></Cell><Cell><Data>1<b>2<i>3</i>4</b><![CDATA[5]]>6</Data></Cell></Row>"
           "</Table></Worksheet></Workbook>";
    auto document = std::make_unique<pugi::xml_document>();
    // The repository's own parse options.
    ASSERT_TRUE(document->load_buffer(xml.data(), xml.size(), 116, pugi::encoding_auto));
    KC_STRING_TABLE table;
    EXPECT_EQ(table.fRead(KC_STRING_TABLE::fFirstRow(*document)), 2u);
    EXPECT_EQ(table.fGetEntries()[0]->mKey, "x");
    EXPECT_EQ(table.fGet("x"), "t");
    EXPECT_EQ(table.fGet("k"), "123456");
    document.reset();
}
