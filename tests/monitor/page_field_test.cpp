// Reading a marker field of a page and leaving the resting value in it, in one pass.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

namespace {

constexpr const char* kPageAddress = "http://page.test/fields";

class PageField : public ProgramFixture {
 protected:
  // The page is shown in the advertisement browser, whose completions only move the pane:
  // no login stage reads it.
  void Show(const std::string& page) {
    desktop.WebPages().Serve(kPageAddress, page);
    Start();
    form->CppWebBrowser2->Navigate(Utf8ToWide(kPageAddress));
    Settle();
    ASSERT_NE(form->CppWebBrowser2->Document(), nullptr);
  }
  // The value of every element on the page that carries the id, whatever its tag.
  [[nodiscard]] std::vector<WideString> ValuesWithId(const WideString& id) const {
    std::vector<WideString> values;
    for (const HtmlElement* element : form->CppWebBrowser2->View().Document()->All()) {
      if (element->Id() == id) values.push_back(element->Value());
    }
    return values;
  }
};

struct FieldCase {
  const char* name;
  std::string page;  // UTF-8 HTML
  AnsiString fieldId;
  AnsiString newValue;
  AnsiString result;
  WideString id;                   // the id whose elements are looked at afterwards
  std::vector<WideString> values;  // their values afterwards, in page order
};

class PageFieldCases : public PageField, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(PageFieldCases, ReturnsTheLastMatchAndLeavesTheNewValueInEveryMatch) {
  const FieldCase& c = GetParam();
  Show(c.page);
  EXPECT_EQ(Inspect().AccessPageField(form->CppWebBrowser2, c.fieldId, c.newValue).bytes(), c.result.bytes());
  EXPECT_EQ(ValuesWithId(c.id), c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageFieldCases,
    ::testing::Values(
        FieldCase{"ValueIsReadAndReset", R"(<input id="client_new_msg" value="3">)", "client_new_msg", "0", "3",
                  u"client_new_msg", {u"0"}},
        FieldCase{"RestingValueStays", R"(<input id="client_exit" value="0">)", "client_exit", "0", "0", u"client_exit",
                  {u"0"}},
        // The snowman has no place in the program's code page and reads as "?", which equals
        // the new value: nothing is written, so the page keeps its character.
        FieldCase{"NoWriteWhenTheReadValueEqualsTheNewOne",
                  reinterpret_cast<const char*>(u8R"(<input id="f" value="☃">)"), "f", "?", "?", u"f", {u"☃"}},
        FieldCase{"EveryMatchIsResetAndTheLastAnswers",
                  R"(<div><input id="client_new_msg" value="2"></div><p><input id="client_new_msg" value="5"></p>)",
                  "client_new_msg", "0", "5", u"client_new_msg", {u"0", u"0"}},
        // Their "Value" would raise if it were read: they have none.
        FieldCase{"OtherTagsWithTheIdAreIgnored",
                  R"(<textarea id="client_exit">1</textarea><div id="client_exit" value="1">1</div>)", "client_exit",
                  "0", "", u"client_exit", {u"", u""}},
        FieldCase{"IdsDifferingInLetterCaseDoNotMatch", R"(<input id="Client_New_Msg" value="4">)", "client_new_msg",
                  "0", "", u"Client_New_Msg", {u"4"}},
        FieldCase{"AnInputWithoutValueReadsEmptyAndIsSet", R"(<input id="client_exit">)", "client_exit", "0", "",
                  u"client_exit", {u"0"}},
        FieldCase{"DoubleByteIdsAndValuesCompareAsCodePageBytes",
                  reinterpret_cast<const char*>(u8R"(<input id="标记" value="八条">)"), "标记", "零", "八条", u"标记",
                  {u"零"}},
        FieldCase{"EmptyPageHasNoField", "", "client_new_msg", "0", "", u"client_new_msg", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageField, ABrowserWithoutDocumentReadsTheRestingValue) {
  desktop.WebPages().SetLatency(1000);
  Start();
  ASSERT_EQ(form->CppWebBrowser2->Document(), nullptr);
  EXPECT_EQ(Inspect().AccessPageField(form->CppWebBrowser2, "client_exit", "0"), "0");
  EXPECT_EQ(Inspect().AccessPageField(form->CppWebBrowser2, "client_exit", "7"), "0");
}

}  // namespace
