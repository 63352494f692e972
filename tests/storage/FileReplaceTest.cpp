// Saving wherever the user can write: the puzzle file, "Data.prefs" at exit
// and the page image keep what the file is (owner, group, mode, links), and
// are written in place where a new file cannot keep it or cannot be made.

#include "storage/FileReplace.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <vector>

#include "storage/BmpFile.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

namespace {
int gUmaskCalls = 0;
}  // namespace

// Counts every change of the process-wide umask made anywhere in this program.
extern "C" mode_t umask(mode_t mask) noexcept {
  ++gUmaskCalls;
  return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace {

using scripted::gScript;

constexpr uid_t kOtherUser = 1001;
constexpr uid_t kSavingUser = 1002;
constexpr gid_t kSharedGroup = 2000;
constexpr uid_t kNobody = 65534;

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

long FilesIn(const std::string& folder) {
  return static_cast<long>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class FileReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    At(4, 7).candidate[2] = 1;
    At(0, 0).locked = -5;
    scripted::Reset();
    gScript.answers = {true, true, true, true};
  }
  TempFolder folder;
};

TEST_F(FileReplace, WritableFileInAFolderThatTakesNoNewFilesIsWrittenInPlace) {
  const std::string puzzle = folder.Path("shared.sdk");
  const std::string prefs = folder.Path("Data.prefs");
  WriteBytes(puzzle, std::string(5000, 'o'));
  WriteBytes(prefs, "FensterX = 1\r\n");
  const std::string expected = PuzzleBytes();
  // A user who may write the files but not the folder.
  const uid_t user = CanSwitchUsers() ? kNobody : 0;
  if (user != 0) {
    ASSERT_EQ(::chown(puzzle.c_str(), user, user), 0);
    ASSERT_EQ(::chown(prefs.c_str(), user, user), 0);
  }
  ASSERT_EQ(::chmod(folder.Path("").c_str(), 0555), 0);
  const ino_t inode = StatOf(puzzle).st_ino;

  const ChildEnd end = RunInChild(
      [&] {
        SavePuzzle(puzzle);
        WorkingDirectory inFolder(folder.Path(""));
        gCellEditorX = 77;
        WriteSettings();
        return !CanReplaceFile(folder.Path("new.sdk"));
      },
      user, user);
  EXPECT_TRUE(end.exited && end.exitCode == 0);
  EXPECT_EQ(ReadFileBytes(puzzle), expected) << "the overwrite answered Yes writes the new bytes, no old tail";
  EXPECT_EQ(StatOf(puzzle).st_ino, inode);
  EXPECT_NE(ReadFileBytes(prefs).find("FensterX = 77\r\n"), std::string::npos);
  EXPECT_EQ(FilesIn(folder.Path("")), 2) << "no new file could be made there";
}

TEST_F(FileReplace, NamesOfUpToTheLongestAllowedLengthSaveAndOverwrite) {
  for (std::size_t length : {249u, 252u, 255u}) {
    const std::string path = folder.Path(std::string(length - 4, 'n') + ".sdk");
    SavePuzzle(path);
    EXPECT_EQ(ReadFileBytes(path), PuzzleBytes()) << length << "-byte name, new file";
    At(1, 1).candidate[0] = static_cast<std::int32_t>(length);
    SavePuzzle(path);
    EXPECT_EQ(ReadFileBytes(path), PuzzleBytes()) << length << "-byte name, overwritten";
    std::filesystem::remove(path);
  }
  EXPECT_EQ(FilesIn(folder.Path("")), 0);
}

TEST_F(FileReplace, AnotherOwnersGroupWritableFileKeepsItsOwnerGroupAndMode) {
  if (!CanSwitchUsers()) GTEST_SKIP() << "needs root to arrange two users";
  const std::string path = folder.Path("theirs.sdk");
  WriteBytes(path, "old");
  ASSERT_EQ(::chown(path.c_str(), kOtherUser, kSharedGroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  ASSERT_EQ(::chmod(folder.Path("").c_str(), 0777), 0);
  const ino_t inode = StatOf(path).st_ino;

  // A member of the file's group saves over it: the file cannot become theirs.
  const ChildEnd end = RunInChild([&] { return (SavePuzzle(path), true); }, kSavingUser, kSavingUser, {kSharedGroup});
  EXPECT_TRUE(end.exited && end.exitCode == 0);
  EXPECT_EQ(ReadFileBytes(path), PuzzleBytes());
  struct stat after = StatOf(path);
  EXPECT_EQ(after.st_uid, kOtherUser);
  EXPECT_EQ(after.st_gid, kSharedGroup);
  EXPECT_EQ(after.st_mode & 07777, 0664u);
  EXPECT_EQ(after.st_ino, inode) << "written in place";
  EXPECT_EQ(FilesIn(folder.Path("")), 1);
}

TEST_F(FileReplace, ExitWriteAsRootLeavesTheUsersPrefsFileTheirs) {
  if (!CanSwitchUsers()) GTEST_SKIP() << "needs root to own a file for another user";
  WorkingDirectory inFolder(folder.Path(""));
  WriteBytes("Data.prefs", "Schwierigkeit = 40\r\n");
  ASSERT_EQ(::chown("Data.prefs", kOtherUser, kOtherUser), 0);
  ASSERT_EQ(::chmod("Data.prefs", 0640), 0);
  gDifficulty = 44;
  WriteSettings();
  EXPECT_NE(ReadFileBytes("Data.prefs").find("Schwierigkeit = 44\r\n"), std::string::npos);
  struct stat after = StatOf("Data.prefs");
  EXPECT_EQ(after.st_uid, kOtherUser);
  EXPECT_EQ(after.st_gid, kOtherUser);
  EXPECT_EQ(after.st_mode & 07777, 0640u);

  // So that user's own next exit still writes it.
  ASSERT_EQ(::chmod(folder.Path("").c_str(), 0777), 0);
  const ChildEnd end = RunInChild(
      [] {
        gDifficulty = 12;
        WriteSettings();
        return true;
      },
      kOtherUser, kOtherUser);
  EXPECT_TRUE(end.exited && end.exitCode == 0);
  EXPECT_NE(ReadFileBytes("Data.prefs").find("Schwierigkeit = 12\r\n"), std::string::npos);
}

TEST_F(FileReplace, HardLinkedFileKeepsItsOtherNames) {
  const std::string path = folder.Path("a.sdk");
  const std::string other = folder.Path("b.sdk");
  WriteBytes(path, "old");
  std::filesystem::create_hard_link(path, other);
  SavePuzzle(path);
  EXPECT_EQ(ReadFileBytes(path), PuzzleBytes());
  EXPECT_EQ(ReadFileBytes(other), PuzzleBytes()) << "the other name sees the new bytes";
  EXPECT_EQ(StatOf(path).st_nlink, 2u);
  EXPECT_EQ(FilesIn(folder.Path("")), 2);
}

TEST_F(FileReplace, ExtendedAttributesAndAccessListsStayWithTheFile) {
  const std::string path = folder.Path("noted.sdk");
  WriteBytes(path, "old");
  const char value[] = "kept";
  bool set = false;
  for (const char* name : {"user.tolva", "trusted.tolva"})
    if (!set && ::setxattr(path.c_str(), name, value, 4, 0) == 0) set = true;
  if (!set) GTEST_SKIP() << "the folder's file system takes no extended attributes here";
  const ino_t inode = StatOf(path).st_ino;
  SavePuzzle(path);
  EXPECT_EQ(ReadFileBytes(path), PuzzleBytes());
  EXPECT_EQ(StatOf(path).st_ino, inode) << "written in place";
  EXPECT_GT(::listxattr(path.c_str(), nullptr, 0), 0);
}

TEST_F(FileReplace, DanglingLinkCreatesTheFileItNames) {
  std::filesystem::create_symlink("missing.sdk", folder.Path("link.sdk"));
  std::filesystem::create_directory(folder.Path("sub"));
  std::filesystem::create_symlink(folder.Path("sub/far.sdk"), folder.Path("absolute.sdk"));
  std::filesystem::create_symlink("absolute.sdk", folder.Path("chain.sdk"));

  SavePuzzle(folder.Path("link.sdk"));
  EXPECT_TRUE(gScript.questions.empty()) << "no file to overwrite yet";
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.sdk")));
  EXPECT_EQ(ReadFileBytes(folder.Path("missing.sdk")), PuzzleBytes());

  SavePuzzle(folder.Path("chain.sdk"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("chain.sdk")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("absolute.sdk")));
  EXPECT_EQ(ReadFileBytes(folder.Path("sub/far.sdk")), PuzzleBytes());
}

TEST_F(FileReplace, NewFileTakesTheUmaskWithoutChangingIt) {
  const mode_t old = ::umask(077);
  const std::string path = folder.Path("private.sdk");
  gUmaskCalls = 0;
  SavePuzzle(path);
  EXPECT_TRUE(SaveBmpFile(folder.Path("page.bmp"), 3, 2, std::vector<std::int32_t>(6)));
  const int callsDuringSaves = gUmaskCalls;
  ::umask(027);
  SavePuzzle(folder.Path("group.sdk"));
  ::umask(old);
  EXPECT_EQ(callsDuringSaves, 0) << "the process-wide umask is never changed by a save";
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0600u);
  EXPECT_EQ(StatOf(folder.Path("page.bmp")).st_mode & 07777, 0600u);
  EXPECT_EQ(StatOf(folder.Path("group.sdk")).st_mode & 07777, 0640u);

  // An existing file keeps its mode whatever the umask.
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  SavePuzzle(path);
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0604u);
}

TEST_F(FileReplace, FileSizeLimitFailsTheSaveWithoutEndingTheProgram) {
  const std::string puzzle = folder.Path("kept.sdk");
  const std::string image = folder.Path("kept.bmp");
  WriteBytes(puzzle, "old puzzle");
  WriteBytes(image, "old image");
  WriteBytes(folder.Path("Data.prefs"), "Ort = alt\r\n");
  const std::string inPlace = folder.Path("linked.sdk");  // a file only written in place
  WriteBytes(inPlace, "old linked");
  std::filesystem::create_hard_link(inPlace, folder.Path("linked-too.sdk"));

  // The child keeps the default action of SIGXFSZ, which ends a process that
  // writes past the limit.
  const ChildEnd end = RunInChild([&] {
    ::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{100, 100};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
    SavePuzzle(puzzle);
    SavePuzzle(inPlace);
    SavePuzzle(folder.Path("new.sdk"));
    WorkingDirectory inFolder(folder.Path(""));
    gPuzzlePath = std::string(200, 'p');
    WriteSettings();
    return !SaveBmpFile(image, 40, 40, std::vector<std::int32_t>(1600));
  });
  EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
  EXPECT_EQ(end.exitCode, 0);
  EXPECT_EQ(ReadFileBytes(puzzle), "old puzzle");
  EXPECT_EQ(ReadFileBytes(inPlace), "old linked");
  EXPECT_EQ(ReadFileBytes(image), "old image");
  EXPECT_EQ(ReadFileBytes(folder.Path("Data.prefs")), "Ort = alt\r\n");
  EXPECT_EQ(FilesIn(folder.Path("")), 5) << "no temporary or half-written file is left";
}

// A temporary file's name as this build gives it: 24 hex digits.
std::string OursNamed(char digit) { return ".tolva-" + std::string(24, digit); }

// Sets a file's times that many seconds back.
void Age(const std::string& path, int seconds) {
  timespec times[2]{};
  ::clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= seconds;
  times[1] = times[0];
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Another process that holds a file open (made when missing), with its lock
// or without, until it is ended.
class Holder {
 public:
  Holder(const std::string& path, bool locked) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
      if (fd >= 0 && (!locked || ::flock(fd, LOCK_EX) == 0)) (void)!::write(ready[1], "1", 1);
      ::pause();
      ::_exit(0);
    }
    char signal = 0;
    EXPECT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~Holder() { End(); }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  void End() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

 private:
  pid_t pid_ = 0;
};

TEST_F(FileReplace, TheCleanerTakesOnlyTheUsersOwnAbandonedTemporaryFiles) {
  // Left by killed writes: this build's (its writer held the lock, so an
  // unlocked one is abandoned), and an older build's of two minutes ago.
  const std::string abandoned = folder.Path(OursNamed('a'));
  const std::string oldBuilds = folder.Path(".tolva-3f2a9c01e");
  WriteBytes(abandoned, std::string(15000, 's'));
  WriteBytes(oldBuilds, "old build");
  Age(oldBuilds, 120);
  // What stays: an older build's file of now, which it may be writing
  // unlocked; files that only look alike; a folder; links to files elsewhere.
  const std::string recent = folder.Path(".tolva-3f2a9c02e");
  WriteBytes(recent, "being written");
  const std::vector<std::string> alike = {".tolva-notes", ".tolva-", "tolva-3f2a", ".tolva-3F2A", "x.tolva-3f2a"};
  for (const std::string& name : alike) WriteBytes(folder.Path(name), "mine");
  std::filesystem::create_directory(folder.Path(OursNamed('b')));
  TempFolder elsewhere;
  WriteBytes(elsewhere.Path("target"), "kept");
  std::filesystem::create_symlink(elsewhere.Path("target"), folder.Path(OursNamed('c')));
  WriteBytes(elsewhere.Path("linked"), "kept too");
  std::filesystem::create_hard_link(elsewhere.Path("linked"), folder.Path(OursNamed('d')));
  // Another user's, readable by all, in a folder without the sticky bit.
  const std::string theirs = folder.Path(OursNamed('e'));
  if (CanSwitchUsers()) {
    WriteBytes(theirs, "theirs");
    ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0644), 0);
    Age(theirs, 120);
  }
  // Files other processes hold: one writing with its lock, one without.
  Holder writer(folder.Path(OursNamed('f')), true);
  Holder reader(folder.Path(OursNamed('0')), false);
  Age(folder.Path(OursNamed('0')), 120);

  SavePuzzle(folder.Path("puzzle.sdk"));
  EXPECT_FALSE(std::filesystem::exists(abandoned));
  EXPECT_FALSE(std::filesystem::exists(oldBuilds));
  EXPECT_EQ(ReadFileBytes(recent), "being written");
  for (const std::string& name : alike) EXPECT_EQ(ReadFileBytes(folder.Path(name)), "mine") << name;
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path(OursNamed('b'))));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path(OursNamed('c'))));
  EXPECT_EQ(ReadFileBytes(elsewhere.Path("target")), "kept");
  EXPECT_EQ(ReadFileBytes(folder.Path(OursNamed('d'))), "kept too") << "a hard link stays";
  if (CanSwitchUsers()) {
    EXPECT_EQ(ReadFileBytes(theirs), "theirs") << "another user's file stays";
  }
  EXPECT_TRUE(std::filesystem::exists(folder.Path(OursNamed('f')))) << "a file a writer holds locked stays";
  EXPECT_TRUE(std::filesystem::exists(folder.Path(OursNamed('0')))) << "a file a process holds open stays";

  // Ended, the processes let go; the exit write of Data.prefs into the
  // folder then removes their files.
  writer.End();
  reader.End();
  WorkingDirectory inFolder(folder.Path(""));
  WriteSettings();
  EXPECT_FALSE(std::filesystem::exists(folder.Path(OursNamed('f'))));
  EXPECT_FALSE(std::filesystem::exists(folder.Path(OursNamed('0'))));
  EXPECT_TRUE(std::filesystem::exists(folder.Path("Data.prefs")));
}

// Two copies at work in one folder: one writes Data.prefs over and over, the
// other cleans the folder and looks at each temporary file it finds. Every
// write goes through a new file, and no temporary file is ever seen unlocked
// after its first byte while it still has its name.
TEST_F(FileReplace, ACleanerBesideAWriterNeverTakesItsFile) {
  // On a memory file system where there is one: writes are quickest there.
  const bool memory = std::filesystem::is_directory("/dev/shm");
  TempFolder shared(memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path());
  const std::string target = shared.Path("Data.prefs");
  WriteBytes(target, "FensterX = 0\r\n");
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t cleaner = ::fork();
  if (cleaner == 0) {
    ::close(report[0]);
    long unlockedSeen = 0;
    while (::access(shared.Path("stop").c_str(), F_OK) != 0) {
      RemoveStaleTemporaries(shared.Path(""));
      for (const auto& entry : std::filesystem::directory_iterator(shared.Path(""))) {
        const std::string path = entry.path().string();
        if (!entry.path().filename().string().starts_with(".tolva-")) continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat opened {}, named {};
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_size > 0 &&
            ::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino)
          ++unlockedSeen;
        if (fd >= 0) ::close(fd);
      }
    }
    (void)!::write(report[1], &unlockedSeen, sizeof unlockedSeen);
    ::_exit(0);
  }
  ::close(report[1]);
  int failed = 0, inPlace = 0;
  constexpr int kWrites = 15000;
  for (int i = 0; i < kWrites; ++i) {
    const ino_t before = StatOf(target).st_ino;
    if (!ReplaceFileContents(target, "FensterX = " + std::to_string(i) + "\r\n")) ++failed;
    else if (StatOf(target).st_ino == before) ++inPlace;
  }
  WriteBytes(shared.Path("stop"), "");
  long unlockedSeen = -1;
  EXPECT_EQ(::read(report[0], &unlockedSeen, sizeof unlockedSeen), static_cast<ssize_t>(sizeof unlockedSeen));
  ::waitpid(cleaner, nullptr, 0);
  ::close(report[0]);
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(inPlace, 0) << "a write that went in place";
  EXPECT_EQ(unlockedSeen, 0) << "temporary files seen unlocked while still named so";
  EXPECT_EQ(ReadFileBytes(target), "FensterX = " + std::to_string(kWrites - 1) + "\r\n");
}

}  // namespace
