#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "support/temp_home.hpp"

namespace fs = std::filesystem;

TEST(Paths, EverythingLivesUnderTheHomeFromTheEnvironment) {
  EXPECT_EQ(Paths::home(), TestHome::path());
  EXPECT_EQ(Paths::logFile(), TestHome::path() / "Library/Logs/quernhold.log");
  EXPECT_EQ(Paths::settings(), TestHome::path() / "Library/Application Support/Quernhold/settings.json");
  EXPECT_EQ(Paths::defaultGameDir(),
            TestHome::path() / "Library/Application Support/Steam/steamapps/common/Valheim");
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
  std::string text = FS::readFile(Paths::logFile());
  size_t lines = 0;
  for (size_t start = 0; start < text.size(); ++lines) {
    size_t end = text.find('\n', start);
    ASSERT_EQ(end - start, 20u + 300u);
    start = end + 1;
  }
  EXPECT_EQ(lines, 800u);
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
