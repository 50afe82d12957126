#include "host/files/AtomicFile.h"
#include "host/files/ScoreError.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// What sits in the folder besides the named entries: nothing may be left behind.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void FailMidway(std::ostream& out) {
    out << "half";
    throw std::runtime_error("the writer failed");
}

struct Case {
    const char* what;
    // Puts what the folder holds before the write of "out.json".
    std::function<void(const fs::path&)> prepare;
    std::function<void(std::ostream&)> write;
    bool written;
    // Checked after the write, whatever its outcome.
    std::function<void(const fs::path&)> check;
};

void Write(const fs::path& file, const std::string& bytes) {
    TemporaryFolder::WriteBytes(file, bytes);
}

TEST(AtomicFileTest, WritesOnlyItsOwnFilesAndRefusesWhatItMustNotReplace) {
    const auto newText = [](std::ostream& out) { out << "new"; };
    const Case cases[] = {
        {"a planted link at the old fixed temporary name is neither followed nor removed",
         [](const fs::path& folder) {
             Write(folder / "victim", "victim");
             fs::create_symlink(folder / "victim", folder / "out.json.partial");
         },
         newText, true,
         [](const fs::path& folder) {
             EXPECT_EQ(TemporaryFolder::ReadBytes(folder / "victim"), "victim");
             EXPECT_TRUE(fs::is_symlink(folder / "out.json.partial"));
             EXPECT_FALSE(fs::is_symlink(folder / "out.json"));
         }},
        {"a failed write removes only its own temporary file, not a folder of another name",
         [](const fs::path& folder) {
             Write(folder / "out.json", "old");
             fs::create_directory(folder / "out.json.partial");
         },
         FailMidway, false,
         [](const fs::path& folder) {
             EXPECT_EQ(TemporaryFolder::ReadBytes(folder / "out.json"), "old");
             EXPECT_EQ(Names(folder), (std::vector<std::string>{"out.json", "out.json.partial"}));
         }},
        {"a link given as the output is written through and stays a link",
         [](const fs::path& folder) {
             fs::create_directory(folder / "real");
             Write(folder / "real" / "score.json", "old");
             fs::create_symlink("real/score.json", folder / "out.json");
         },
         newText, true,
         [](const fs::path& folder) {
             EXPECT_TRUE(fs::is_symlink(folder / "out.json"));
             EXPECT_EQ(TemporaryFolder::ReadBytes(folder / "real" / "score.json"), "new");
             EXPECT_EQ(Names(folder / "real"), std::vector<std::string>{"score.json"});
         }},
        {"a read-only output is refused and kept",
         [](const fs::path& folder) {
             Write(folder / "out.json", "old");
             fs::permissions(folder / "out.json", kWrite, fs::perm_options::remove);
         },
         newText, false,
         [](const fs::path& folder) {
             EXPECT_EQ(TemporaryFolder::ReadBytes(folder / "out.json"), "old");
         }},
        {"a file only its owner may read keeps its permissions",
         [](const fs::path& folder) {
             Write(folder / "out.json", "old");
             fs::permissions(folder / "out.json", fs::perms::owner_read | fs::perms::owner_write);
         },
         newText, true,
         [](const fs::path& folder) {
             EXPECT_EQ(fs::status(folder / "out.json").permissions(),
                       fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"a folder of the output's name is refused and kept",
         [](const fs::path& folder) { fs::create_directory(folder / "out.json"); }, newText, false,
         [](const fs::path& folder) { EXPECT_TRUE(fs::is_directory(folder / "out.json")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TemporaryFolder folder;
        c.prepare(folder.Path());
        const std::string output = (folder.Path() / "out.json").string();
        bool written = true;
        try {
            AtomicFile::Write(output, c.write);
        } catch (const std::exception& problem) {
            written = false;
            EXPECT_NE(std::string(problem.what()), "") << "a refusal says why";
        }
        EXPECT_EQ(written, c.written);
        if (c.written) {
            EXPECT_EQ(TemporaryFolder::ReadBytes(output), "new");
        }
        c.check(folder.Path());
    }
}

TEST(AtomicFileTest, RefusalsNameTheFileAndTheReason) {
    const TemporaryFolder folder;
    const std::string missing = (folder.Path() / "missing" / "out.json").string();
    try {
        AtomicFile::CheckWritable(missing);
        FAIL() << "a file in a missing folder cannot be written";
    } catch (const ScoreError& problem) {
        EXPECT_EQ(std::string(problem.what()), missing + ": cannot be written: the folder " +
                                                   (folder.Path() / "missing").string() +
                                                   " does not exist");
    }
    Write(folder.Path() / "locked.json", "old");
    fs::permissions(folder.Path() / "locked.json", kWrite, fs::perm_options::remove);
    EXPECT_THROW(AtomicFile::CheckWritable((folder.Path() / "locked.json").string()), ScoreError);
    EXPECT_NO_THROW(AtomicFile::CheckWritable((folder.Path() / "new.json").string()));
}

// Writers of one file at the same time: each result whole, the file always one complete result,
// and no temporary file left over.
TEST(AtomicFileTest, ConcurrentWritersOfOneFileLeaveOneCompleteResult) {
    const TemporaryFolder folder;
    const std::string output = (folder.Path() / "out.json").string();
    constexpr int kRounds = 30;
    constexpr std::size_t kSize = 1 << 18;
    const std::vector<std::string> results = {std::string(kSize, 'a'), std::string(kSize, 'b'),
                                              std::string(kSize, 'c')};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::thread> writers;
        std::vector<int> failures(results.size(), 0);
        for (std::size_t i = 0; i < results.size(); ++i) {
            writers.emplace_back([&, i] {
                try {
                    AtomicFile::Write(output, [&](std::ostream& out) {
                        // In pieces, so the writers interleave.
                        for (std::size_t at = 0; at < kSize; at += 4096) {
                            out.write(results[i].data() + at, 4096);
                            out.flush();
                        }
                    });
                } catch (const ScoreError&) {
                    failures[i] = 1;
                }
            });
        }
        for (std::thread& writer : writers) {
            writer.join();
        }
        const std::string written = TemporaryFolder::ReadBytes(output);
        EXPECT_NE(std::find(results.begin(), results.end(), written), results.end())
            << "round " << round << ": the file is no writer's whole result";
        EXPECT_EQ(std::count(failures.begin(), failures.end(), 1), 0) << "round " << round;
        EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"out.json"});
    }
}

} // namespace
