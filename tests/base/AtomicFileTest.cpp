// Saving writes the file the user meant: through links, with its mode and group, never over a
// file the user may not write, and under any name the file system takes.

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/AtomicFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  return bytes;
}

struct stat Stat(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

// A link stays a link, and the file it names, in another folder and through a second link,
// gets the content; a dangling link gets its file made.
TEST(AtomicFile, SavingThroughALinkWritesItsTarget) {
  TempDir dir;
  fs::create_directory(dir / "real");
  ASSERT_TRUE(WriteFileAtomic(dir / "real/show.vrx", "old"));
  fs::create_symlink("real/show.vrx", dir / "link.vrx");
  fs::create_symlink(dir / "link.vrx", dir / "link2.vrx");

  ASSERT_TRUE(WriteFileAtomic(dir / "link2.vrx", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.vrx"));
  EXPECT_TRUE(fs::is_symlink(dir / "link2.vrx"));
  EXPECT_EQ(Bytes(dir / "real/show.vrx"), "new");
  EXPECT_EQ(fs::read_symlink(dir / "link.vrx"), "real/show.vrx");

  fs::create_symlink("real/later.vrx", dir / "dangling.vrx");
  ASSERT_TRUE(WriteFileAtomic(dir / "dangling.vrx", "made"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.vrx"));
  EXPECT_EQ(Bytes(dir / "real/later.vrx"), "made");
  EXPECT_EQ(ResolveLinks(dir / "dangling.vrx"), dir / "real/later.vrx");
  EXPECT_EQ(dir.Files().size(), 4u); // no temporary file left anywhere
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 2);
}

// The saved file keeps the mode of the old one and, where the user may, its owner and group.
TEST(AtomicFile, KeepsModeOwnerAndGroup) {
  TempDir dir;
  const std::string path = dir / "show.vrx";
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  // As root the file can belong to anyone; otherwise to one of the user's own groups.
  const gid_t group = root ? 65534 : getegid();
  const uid_t owner = root ? 65534 : geteuid();
  ASSERT_EQ(chown(path.c_str(), owner, group), 0);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  const struct stat st = Stat(path);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_gid, group);
  EXPECT_EQ(st.st_uid, owner);
  EXPECT_EQ(Bytes(path), "new");
}

// A file without its owner's write permission is refused, for root too, and stays as it was;
// so is anything that is no regular file.
TEST(AtomicFile, RefusesReadOnlyFilesAndWhatIsNoFile) {
  TempDir dir;
  const std::string path = dir / "locked.vrx";
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  for (mode_t mode : {0444, 0400, 0466}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", &error));
    EXPECT_EQ(error, "cannot write " + path + ": Permission denied");
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(Stat(path).st_mode & 07777, mode);
  }
  fs::create_symlink("locked.vrx", dir / "link.vrx");
  EXPECT_FALSE(WriteFileAtomic(dir / "link.vrx", "new"));
  EXPECT_EQ(Bytes(path), "old");

  fs::create_directory(dir / "folder.vrx");
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir / "folder.vrx", "new", &error));
  EXPECT_EQ(error, "cannot write " + (dir / "folder.vrx") + ": Is a directory");
  EXPECT_TRUE(fs::is_directory(dir / "folder.vrx"));
  EXPECT_EQ(dir.Files().size(), 3u);
}

// Another user's file that this user may not write (0644, owned by root) is refused although
// the folder lets the user create files; run as an unprivileged user in a child process.
TEST(AtomicFile, RefusesAnotherUsersFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a file of another user";
  TempDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  const std::string theirs = dir / "theirs.vrx";
  ASSERT_TRUE(WriteFileAtomic(theirs, "old"));
  ASSERT_EQ(chmod(theirs.c_str(), 0644), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // nobody: may create files in the folder, may not write root's file.
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    std::string error;
    if (WriteFileAtomic(theirs, "new", &error)) _exit(1);
    if (error != "cannot write " + theirs + ": Permission denied") _exit(2);
    if (!WriteFileAtomic(dir / "mine.vrx", "mine")) _exit(4);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Bytes(theirs), "old");
  EXPECT_EQ(Bytes(dir / "mine.vrx"), "mine");
}

// Names up to the 255 bytes a folder entry may have are saved; the temporary name is shortened
// to fit, at a character boundary.
TEST(AtomicFile, SavesNamesOfUpTo255Bytes) {
  TempDir dir;
  for (size_t length : {248, 249, 250, 254, 255}) {
    SCOPED_TRACE(length);
    const std::string name = std::string(length - 4, 'n') + ".vrx";
    ASSERT_TRUE(WriteFileAtomic(dir / name, "x"));
    EXPECT_EQ(Bytes(dir / name), "x");
    ASSERT_TRUE(WriteFileAtomic(dir / name, "again"));
    EXPECT_EQ(Bytes(dir / name), "again");
    fs::remove(dir / name);
  }
  EXPECT_EQ(dir.Files().size(), 0u);
  const std::string chinese = std::string(1, 'a') + [] {
    std::string s;
    for (int i = 0; i < 84; ++i)
      s += "屏"; // 252 bytes
    return s;
  }();
  const std::string temp = TemporaryNameBeside("/x/" + chinese, "XXXXXX");
  EXPECT_EQ(temp, "/x/a" + chinese.substr(1, 246) + ".XXXXXX"); // 82 whole characters
  EXPECT_LE(temp.size() - 3, 255u);
  EXPECT_EQ(TemporaryNameBeside("show.vrx", "XXXXXX"), "show.vrx.XXXXXX");
}

} // namespace
