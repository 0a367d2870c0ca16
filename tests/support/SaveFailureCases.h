// Saving a level on a real file system where saving is hard: read-only files and folders,
// symbolic links, long names, a file-size limit, a full disk. One table of cases, run against
// the level save of each game: a save either writes the level or fails with a log line saying
// why, the old level is never lost, a file keeps its mode, owner and group, a link stays a
// link, and no temporary file is left behind.
//
// Each case runs in a folder of its own, which is the current directory meanwhile, and saves
// in a child process: as an ordinary user (root may write any file and folder, and CI runs as
// root) or under a file-size limit that would end the test program itself. The child's log
// comes back through a pipe. Needs nothing of either game.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "TextFiles.h"

// A game's level save, as the cases see it.
class LevelSaver {
 public:
  virtual ~LevelSaver() = default;
  // The extension of the game's level files, with its dot; four characters.
  virtual std::string extension() const = 0;
  // The text of an old level file, shorter than any level save() writes.
  virtual std::string oldLevel() const = 0;
  // Saves the level the game holds under the name, as the player would; true when saved.
  virtual bool save(std::string const& name) = 0;
  // Sends the game's log to the file.
  virtual void logTo(char const* path) = 0;
  // Whether the text is the level save() writes.
  virtual bool isSavedLevel(std::string const& text) const = 0;
  // The start of the log line of a save of the name that failed, up to the reason.
  virtual std::string failureLine(std::string const& name) const = 0;
};

// The folder of one case; names ending in ".*" get the game's extension.
class SaveFolder {
 public:
  SaveFolder(std::string path, LevelSaver const& saver) : path(std::move(path)), saver(saver) {}
  std::string named(std::string name) const {
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, ".*") == 0)
      name.replace(name.size() - 2, 2, saver.extension());
    return name;
  }
  // An old level, made to belong to the user the child may run as.
  void old(std::string const& name, mode_t mode = 0644) const {
    writeFile(named(name), saver.oldLevel());
    chmod(named(name).c_str(), mode);
    child::giveToUser(named(name));
  }
  void folder(std::string const& name) const {
    mkdir(name.c_str(), 0755);
    child::giveToUser(name);
  }
  void link(std::string const& name, std::string const& target) const {
    EXPECT_EQ(symlink(named(target).c_str(), named(name).c_str()), 0) << name;
  }

  std::string const path;

 private:
  LevelSaver const& saver;
};

struct SaveFailureCase {
  enum Result { kSaved, kFailed };
  enum Left { kNewLevel, kOldLevel, kNothing };
  char const* name;
  std::function<void(SaveFolder const&)> prepare;
  // The name saved, and the file that then holds what was left (the same unless a link).
  std::string level;
  std::string target;
  bool bAsUser;
  // Below the size of the new level, above that of the old one.
  bool bSizeLimit;
  // The mode of the case's folder while the child saves.
  mode_t folderMode;
  Result result;
  Left left;
  // A part of the log: after the failure line when it starts with the level's name ("{}").
  std::string logged;
  // Every name in the case's folder afterwards.
  std::set<std::string> names;
};

inline std::vector<SaveFailureCase> const& saveFailureCases() {
  using C = SaveFailureCase;
  auto none = [](SaveFolder const&) {};
  std::string const n252(248, 'n'), n255(251, 'n'), n256(256, 'n');
  // clang-format off
  // name; prepare the folder; level saved, file then read; as user, size limit, folder mode;
  // result, what the file holds, what the log holds; names in the folder afterwards.
  static std::vector<SaveFailureCase> const cases = {
      {"AReadOnlyLevelIsNotReplaced", [](SaveFolder const& f) { f.old("locked.*", 0444); },
       "locked.*", "locked.*", true, false, 0755,
       C::kFailed, C::kOldLevel, "{} is read-only", {"locked.*"}},
      {"APrivateLevelKeepsItsModeOwnerAndGroup", [](SaveFolder const& f) { f.old("private.*", 0600); },
       "private.*", "private.*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {"private.*"}},
      {"ANewLevelGetsTheModeOfANewFile", none,
       "new.*", "new.*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {"new.*"}},
      {"ALinkedLevelSavesTheFileItPointsAt",
       [](SaveFolder const& f) {
         f.folder("real");
         f.old("real/target.*");
         f.link("link.*", "real/target.*");
         f.link("link2.*", "link.*");
       },
       "link2.*", "real/target.*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {"real", "link.*", "link2.*"}},
      {"ALinkToALevelNotMadeYetSavesTheLevel",
       [](SaveFolder const& f) {
         f.folder("real");
         f.link("dangling.*", "real/later.*");
       },
       "dangling.*", "real/later.*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {"real", "dangling.*"}},
      {"AWritableLevelInAReadOnlyFolderIsWrittenInPlace", [](SaveFolder const& f) { f.old("in.*"); },
       "in.*", "in.*", true, false, 0555,
       C::kSaved, C::kNewLevel, "", {"in.*"}},
      {"ALevelWrittenInPlaceThatFailsGetsItsOldContentsBack", [](SaveFolder const& f) { f.old("in.*"); },
       "in.*", "in.*", true, true, 0555,
       C::kFailed, C::kOldLevel, "the old contents were put back", {"in.*"}},
      {"ANewLevelInAReadOnlyFolderFails", none,
       "new.*", "new.*", true, false, 0555,
       C::kFailed, C::kNothing, "", {}},
      {"ALongNameSaves", none,
       n252 + ".*", n252 + ".*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {n252 + ".*"}},
      {"TheLongestNameSaves", none,
       n255 + ".*", n255 + ".*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {n255 + ".*"}},
      {"TheLongestNameSavesOverItsOldLevel", [n255](SaveFolder const& f) { f.old(n255 + ".*"); },
       n255 + ".*", n255 + ".*", false, false, 0755,
       C::kSaved, C::kNewLevel, "", {n255 + ".*"}},
      {"ANameTooLongFails", none,
       n256, n256, false, false, 0755,
       C::kFailed, C::kNothing, "", {}},
      {"AFileSizeLimitFailsTheSaveAndTheGameGoesOn", [](SaveFolder const& f) { f.old("big.*"); },
       "big.*", "big.*", false, true, 0755,
       C::kFailed, C::kOldLevel, "File too large", {"big.*"}},
      {"AFullDiskFailsTheSaveAndKeepsTheLink", [](SaveFolder const& f) { f.link("full.*", "/dev/full"); },
       "full.*", "/dev/full", false, false, 0755,
       C::kFailed, C::kNothing, "No space left on device", {"full.*"}},
  };
  // clang-format on
  return cases;
}

// A failed case names itself by its name rather than by its bytes.
inline void PrintTo(SaveFailureCase const& c, std::ostream* out) { *out << c.name; }

inline std::string saveFailureCaseName(::testing::TestParamInfo<SaveFailureCase> const& info) {
  return info.param.name;
}

// Runs one case against the game's save, in a new folder under /tmp.
inline void runSaveFailureCase(LevelSaver& saver, SaveFailureCase const& c) {
  namespace fs = std::filesystem;
  char pattern[] = "/tmp/levelsaveXXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::error_code error;
  fs::path const here = fs::current_path();
  SaveFolder const folder(pattern, saver);
  ASSERT_EQ(chmod(pattern, 0755), 0);
  child::giveToUser(pattern);
  ASSERT_EQ(chdir(pattern), 0);
  c.prepare(folder);
  std::string const level = folder.named(c.level), target = folder.named(c.target);
  struct stat before {};
  bool const bExisted = stat(target.c_str(), &before) == 0 && S_ISREG(before.st_mode);
  struct stat linkBefore {};
  bool const bLink = lstat(level.c_str(), &linkBefore) == 0 && S_ISLNK(linkBefore.st_mode);
  mode_t const mask = umask(022);
  umask(mask);

  chmod(".", c.folderMode);
  child::LogPipe pipe;
  std::string const pipePath = pipe.path();
  child::Options options;
  options.bAsUser = c.bAsUser;
  if (c.bSizeLimit) options.fileSizeLimit = saver.oldLevel().size() + 1;
  int const status = child::run(
      [&] {
        saver.logTo(pipePath.c_str());
        return saver.save(level) ? 0 : 1;
      },
      options);
  std::string const log = pipe.text();
  chmod(".", 0755);

  std::set<std::string> names, expectedNames;
  for (auto const& entry : fs::directory_iterator("."))
    names.insert(entry.path().filename().string());
  for (std::string const& name : c.names) expectedNames.insert(folder.named(name));
  // Only a file is read: a link may lead to a device that never ends.
  struct stat after {};
  bool const bExists = stat(target.c_str(), &after) == 0 && S_ISREG(after.st_mode);
  std::string const text = bExists ? readFile(target) : "";
  struct stat linkAfter {};
  bool const bStillLink = lstat(level.c_str(), &linkAfter) == 0 && S_ISLNK(linkAfter.st_mode);
  EXPECT_EQ(chdir(here.c_str()), 0);
  fs::remove_all(pattern, error);

  if (status == child::kCannotDrop) GTEST_SKIP() << "cannot run as an ordinary user";
  EXPECT_EQ(status, c.result == SaveFailureCase::kSaved ? 0 : 1)
      << "128 + SIGXFSZ (" << 128 + SIGXFSZ << ") is the game killed\n"
      << log;
  if (c.left == SaveFailureCase::kNewLevel) {
    EXPECT_TRUE(saver.isSavedLevel(text)) << text;
  } else if (c.left == SaveFailureCase::kOldLevel) {
    EXPECT_EQ(text, saver.oldLevel());
  } else {
    EXPECT_FALSE(bExists);
  }
  if (bExisted && bExists) {
    EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
  } else if (bExists) {
    EXPECT_EQ(after.st_mode & 07777, 0666u & ~mask);
  }
  EXPECT_EQ(bStillLink, bLink);
  if (c.result == SaveFailureCase::kFailed) {
    EXPECT_NE(log.find(saver.failureLine(level)), std::string::npos) << log;
  }
  if (c.logged.compare(0, 2, "{}") == 0) {
    std::string const line = saver.failureLine(level) + level + c.logged.substr(2);
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  } else if (!c.logged.empty()) {
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
  }
  EXPECT_EQ(names, expectedNames);
}
