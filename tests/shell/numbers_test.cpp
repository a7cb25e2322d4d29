// Number texts and conversions of the forms layer.
#include <gtest/gtest.h>

#include "saver/forms/numbers.h"

namespace {

using namespace orvanth::forms;

TEST(NumberTexts, HashFormatLeavesZeroEmpty) {
  EXPECT_EQ(format_hash(0), "");
  EXPECT_EQ(format_hash(7), "7");
  EXPECT_EQ(format_hash(12), "12");
  EXPECT_EQ(format_hash(-3), "-3");
  EXPECT_EQ(format_hash(0.4), "");
  EXPECT_EQ(format_hash(2.5), "3");  // halves away from zero in formats
}

TEST(NumberTexts, NumberTextHasALeadingBlankForZeroAndAbove) {
  EXPECT_EQ(number_text(2), " 2");
  EXPECT_EQ(number_text(0), " 0");
  EXPECT_EQ(number_text(-2), "-2");
  EXPECT_EQ(number_text(-32768), "-32768");
}

TEST(NumberTexts, TextToNumberSkipsLeadingBlanksAndStopsAtTheFirstStranger) {
  EXPECT_EQ(text_to_number("  \t 42"), 42);
  EXPECT_EQ(text_to_number("234"), 234);
  EXPECT_EQ(text_to_number(":1234"), 0);
  EXPECT_EQ(text_to_number("12abc"), 12);
  EXPECT_EQ(text_to_number("-1.5e2x"), -150);
  EXPECT_EQ(text_to_number("1.5D1"), 15);
  EXPECT_EQ(text_to_number("7e"), 7);  // an exponent without digits is not read
  EXPECT_EQ(text_to_number(""), 0);
  EXPECT_EQ(text_to_number("-"), 0);
  EXPECT_EQ(text_to_number(".5"), 0.5);
}

TEST(NumberTexts, NumericTestWantsTheWholeText) {
  EXPECT_TRUE(is_numeric(" 2 "));
  EXPECT_TRUE(is_numeric("-0.5"));
  EXPECT_TRUE(is_numeric("1e3"));
  EXPECT_FALSE(is_numeric(""));
  EXPECT_FALSE(is_numeric("   "));
  EXPECT_FALSE(is_numeric("two"));
  EXPECT_FALSE(is_numeric("2x"));
  EXPECT_FALSE(is_numeric("1 2"));
  EXPECT_FALSE(is_numeric("1e999"));  // no infinite numbers
}

TEST(NumberTexts, SixteenBitConversionRoundsHalvesToEven) {
  EXPECT_EQ(to_int16(2.5), 2);
  EXPECT_EQ(to_int16(3.5), 4);
  EXPECT_EQ(to_int16(-2.5), -2);
  EXPECT_EQ(to_int16(2.6), 3);
  EXPECT_EQ(to_int16(32767), 32767);
  EXPECT_EQ(to_int16(-32768), -32768);
  EXPECT_EQ(to_int16(-32768.5), -32768);
  EXPECT_FALSE(to_int16(32767.5).has_value());
  EXPECT_FALSE(to_int16(40000).has_value());
  EXPECT_FALSE(to_int16(-32769).has_value());
  EXPECT_EQ(to_int32(2147483647.0), 2147483647);
  EXPECT_FALSE(to_int32(2147483648.0).has_value());
  EXPECT_FALSE(to_int32(1e300).has_value());
}

}  // namespace
