// Values passed by late binding: a text an object lends reads exactly like one it hands
// over, and a value that is no text is refused where a text is needed.

#include <gtest/gtest.h>

#include "platform/automation.h"
#include "platform/exceptions.h"

namespace {

TEST(Variant, ALentTextReadsLikeAnOwnedOne) {
  const WideString kept = u"12";
  for (const Variant& value : {Variant(WideString(u"12")), Variant::Lent(kept)}) {
    EXPECT_EQ(value.ToWide(), u"12");
    EXPECT_EQ(value.WideView(), u"12");
    EXPECT_EQ(value.ToInt(), 12);
    EXPECT_EQ(value.ToAnsi(), "12");
    EXPECT_FALSE(value.IsEmpty());
  }
}

TEST(Variant, ALentTextIsSeenWhereItIsKept) {
  WideString kept = u"0";
  const Variant value = Variant::Lent(kept);
  kept = u"1";
  EXPECT_EQ(value.WideView(), u"1");
}

TEST(Variant, OnlyTextsAndNothingAreSeenAsTexts) {
  EXPECT_EQ(Variant().WideView(), u"");
  EXPECT_THROW((void)Variant(7).WideView(), EOleException);
  EXPECT_THROW((void)Variant(true).WideView(), EOleException);
  // The conversion, unlike the view, spells numbers out.
  EXPECT_EQ(Variant(7).ToWide(), u"7");
}

TEST(Variant, ATextThatIsNoNumberIsATypeMismatch) {
  const WideString kept = u"twelve";
  EXPECT_THROW((void)Variant::Lent(kept).ToInt(), EOleException);
}

}  // namespace
