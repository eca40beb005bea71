#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "support/temp_home.hpp"


TEST(Paths, EverythingLivesUnderTheHomeFromTheEnvironment) {
  EXPECT_EQ(Paths::home(), TestHome::path());
  EXPECT_EQ(Paths::logFile(), TestHome::path() / "Library/Logs/quernhold.log");
}

TEST(Log, FirstWriteCreatesTheFolderAndFileWithOneStampedLine) {
  TestHome::clear();
  Log::write("installing a");
  Log::write("two\nlines");
  EXPECT_THAT(FS::readFile(Paths::logFile()),
              testing::MatchesRegex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} installing a\n"
                                    "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} two\nlines\n"));
}

TEST(Log, ConcurrentWritersNeverInterleave) {
  TestHome::clear();
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([] {
      for (int i = 0; i < 200; ++i) Log::write(std::string(300, 'w'));
    });
  for (auto& w : writers) w.join();
  // 800 lines of a 20-character stamp and 300 characters, each ended by its own line feed.
  std::string text = FS::readFile(Paths::logFile());
  ASSERT_EQ(text.size(), 800u * 321u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 800);
  for (size_t end = 320; end < text.size(); end += 321) ASSERT_EQ(text[end], '\n') << end;
}

TEST(Log, TailKeepsTheLastPiecesSplitAtLineFeeds) {
  TestHome::clear();
  EXPECT_EQ(Log::tail(), "No log yet.");
  FS::mkdir(Paths::logFile().parent_path());
  FS::writeAtomic(Paths::logFile(), "a\nb\nc\n");
  EXPECT_EQ(Log::tail(2), "c\n");
  EXPECT_EQ(Log::tail(3), "b\nc\n");
  EXPECT_EQ(Log::tail(10), "a\nb\nc\n");
  EXPECT_EQ(Log::tail(0), "");
  FS::writeAtomic(Paths::logFile(), "no feed");
  EXPECT_EQ(Log::tail(1), "no feed");
  FS::writeAtomic(Paths::logFile(), "bad \xFF byte\n");
  EXPECT_EQ(Log::tail(), "No log yet.");
}
