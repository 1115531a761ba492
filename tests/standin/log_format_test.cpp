// Other tests grep the stand-in's log: values must come out unambiguous.
#include <gtest/gtest.h>

#include "log.h"

using standin::FormatLogValue;

TEST(StandinLogFormat, QuotesOnlyWhatWouldBreakAKeyValueLine) {
    EXPECT_EQ("http://h/a?b=c&d", FormatLogValue("http://h/a?b=c&d"));
    EXPECT_EQ("\"\"", FormatLogValue(""));
    EXPECT_EQ("\"two words\"", FormatLogValue("two words"));
    EXPECT_EQ("\"say \\\"hi\\\" \\\\ now\"", FormatLogValue("say \"hi\" \\ now"));
    EXPECT_EQ("\"a\\nb\\tc\\r\"", FormatLogValue("a\nb\tc\r"));
    EXPECT_EQ("\xE4\xB8\xAD\xE6\x96\x87", FormatLogValue("\xE4\xB8\xAD\xE6\x96\x87"));  // UTF-8 stays as it is
}
