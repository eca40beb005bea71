#include <gmock/gmock.h>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"

TEST(Log, WritesOneStampedLinePerEventAndTailsTheLastLines) {
  EXPECT_EQ(Log::tail(), "No log yet.");
  Log::write("installing a");
  Log::write("two\nlines");
  EXPECT_THAT(FS::readFile(Paths::logFile()),
              testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} installing a\n"
                                    "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} two\nlines\n"));
  EXPECT_EQ(Log::tail(2), "lines\n");
}
