// The save step of a merge job against what the destination folder really
// holds: files that are not regular, links, read-only files, a full disk,
// backups named like the inputs and what killed instances left behind.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "merge_job_fixture.h"
#include "platform/files.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace plandock::test {
namespace {

namespace fs = std::filesystem;
using Save = MergeJobTest;

#ifndef _WIN32

std::string Contents(const fs::path& p) { return FileContents(p); }

void Put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// Names in `folder` that a save may have left behind.
std::vector<std::string> TempFilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(".plandock.", 0) == 0) names.push_back(name);
  }
  return names;
}

const std::u16string kFailed = u"合体図面の保存に失敗しました";

// A process id that no process has any more.
long DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return static_cast<long>(child);
}

TEST_F(Save, DestinationsThatAreNoRegularFileAreRefusedAndLinksWrittenThrough) {
  const std::u16string base = WriteDrawing("base.jww", 3);
  const std::string old_drawing = Contents(fs::path(WriteDrawing("old.jww", 1)));
  struct Row {
    const char* name;
    std::function<bool(const fs::path& out)> make;  // false: not possible here
    const char* reason;                             // empty: the save succeeds
    bool backed_up = false;
  };
  const Row rows[] = {
      {"character device",
       [](const fs::path& out) {
         return mknod(out.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // a null device
       },
       "not a regular file"},
      {"FIFO", [](const fs::path& out) { return mkfifo(out.c_str(), 0666) == 0; },
       "not a regular file"},
      {"folder", [](const fs::path& out) { return fs::create_directory(out); },
       "not a regular file"},
      {"read-only file",
       [&](const fs::path& out) {
         Put(out, old_drawing);
         fs::permissions(out, fs::perms::owner_read | fs::perms::group_read);
         return true;
       },
       "read-only file"},
      {"symbolic link",
       [&](const fs::path& out) {
         Put(out.parent_path() / "real.jww", old_drawing);
         fs::create_symlink("real.jww", out);
         return true;
       },
       "", true},
      {"link to a file not yet there",
       [](const fs::path& out) {
         fs::create_symlink("real.jww", out);
         return true;
       },
       ""},
  };
  int folder = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path dir = dir_.path() / std::to_string(folder++);
    fs::create_directory(dir);
    const fs::path out = dir / "out.jww";
    if (!row.make(out)) {
      std::printf("skipped row '%s': cannot be made here (needs root)\n", row.name);
      continue;
    }
    const fs::file_type type_before = fs::symlink_status(out).type();
    FakeJobHost host;
    std::vector<MergeEntry> entries;
    const MergeJobResult result = RunMergeJob(Settings(base, out.u16string()), entries, host);

    EXPECT_EQ(fs::symlink_status(out).type(), type_before) << "the destination itself stays";
    EXPECT_TRUE(TempFilesIn(dir).empty());
    if (*row.reason != '\0') {
      EXPECT_EQ(result, MergeJobResult::kSaveFailed);
      EXPECT_EQ(host.LastStatus(),
                kFailed + out.u16string() + u": " + fs::path(row.reason).u16string());
      EXPECT_FALSE(fs::exists(dir / "out.BAK")) << "nothing backed up";
      EXPECT_EQ(host.CountStatusesStartingWith(u"直前の合体図面をバックアップ中です"), 0);
      if (fs::is_regular_file(out)) {
        EXPECT_EQ(Contents(out), old_drawing);
      }
      continue;
    }
    EXPECT_EQ(result, MergeJobResult::kCompleted);
    TJwwData written;
    ReadBack((dir / "real.jww").u16string(), written);
    EXPECT_EQ(written.EntLineN(), 3);
    EXPECT_EQ(fs::exists(dir / "out.BAK"), row.backed_up);
    if (row.backed_up) {
      EXPECT_EQ(Contents(dir / "out.BAK"), old_drawing);
    }
  }
}

TEST_F(Save, BackupSkipsADrawingOfTheJobHoweverItIsSpelled) {
  const struct {
    const char* name;
    const char* base;   // relative to the test folder
    const char* entry;  // a merged drawing, or empty
  } rows[] = {
      {"base with ./", "./bk/dest.BAK", ""},
      {"base through ..", "bk/../bk//dest.BAK", ""},
      {"base through a symbolic link", "alias.jww", ""},
      {"base through a hard link", "hard.jww", ""},
      {"merged drawing through a symbolic link", "base.jww", "alias.jww"},
  };
  fs::create_directory(dir_.path() / "bk");
  WriteDrawing("base.jww", 2);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string backup = WriteDrawing("bk/dest.BAK", 4);
    const std::string original = Contents(fs::path(backup));
    const std::u16string destination = WriteDrawing("bk/dest.jww", 7);
    fs::remove(dir_.path() / "alias.jww");
    fs::remove(dir_.path() / "hard.jww");
    fs::create_symlink("bk/dest.BAK", dir_.path() / "alias.jww");
    fs::create_hard_link(dir_.path() / "bk" / "dest.BAK", dir_.path() / "hard.jww");
    const fs::path cwd = fs::current_path();
    fs::current_path(dir_.path());
    FakeJobHost host;
    std::vector<MergeEntry> entries;
    if (*row.entry != '\0') entries.push_back(Entry(fs::path(row.entry).u16string()));
    const MergeJobResult result =
        RunMergeJob(Settings(fs::path(row.base).u16string(), u"bk/dest.jww"), entries, host);
    fs::current_path(cwd);

    EXPECT_EQ(result, MergeJobResult::kCompleted);
    EXPECT_EQ(Contents(fs::path(backup)), original) << "the drawing is still there";
    TJwwData written;
    ReadBack(destination, written);
    EXPECT_EQ(written.EntLineN(), *row.entry != '\0' ? 2 + 4 : 4);
  }
}

// A folder that holds only a few kilobytes: a small tmpfs where this process
// may mount one, else a limit on the size of any file this process writes.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& dir) : dir_(dir) {
    fs::create_directory(dir);
    mounted_ = mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") == 0;
    if (mounted_) return;
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = 32 * 1024;
    limited_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(dir_.c_str(), MNT_DETACH);
    if (limited_) setrlimit(RLIMIT_FSIZE, &saved_);
  }
  bool ready() const { return mounted_ || limited_; }
  // What the system says when the disk is full.
  std::u16string reason() const {
    return fs::path(std::generic_category().message(mounted_ ? ENOSPC : EFBIG)).u16string();
  }

 private:
  fs::path dir_;
  bool mounted_ = false;
  bool limited_ = false;
  rlimit saved_{};
};

TEST_F(Save, AFullDiskKeepsTheDestinationAndThePreviousBackup) {
  const std::u16string base = WriteDrawing("base.jww", 4000);  // far more than the disk holds
  const std::string old_destination = Contents(fs::path(WriteDrawing("old.jww", 1)));
  const fs::path disk_dir = dir_.path() / "disk";
  SmallDisk disk(disk_dir);
  if (!disk.ready()) GTEST_SKIP() << "neither a tmpfs nor a file size limit can be set here";
  Put(disk_dir / "dest.jww", old_destination);
  Put(disk_dir / "dest.BAK", "the backup before");
  const fs::path destination = disk_dir / "dest.jww";

  std::vector<MergeEntry> entries;
  EXPECT_EQ(Run(Settings(base, destination.u16string()), entries), MergeJobResult::kSaveFailed);

  EXPECT_EQ(Contents(destination), old_destination);
  EXPECT_EQ(Contents(disk_dir / "dest.BAK"), "the backup before");
  EXPECT_TRUE(TempFilesIn(disk_dir).empty());
  const std::u16string text = kFailed + destination.u16string() + u": " + disk.reason();
  EXPECT_EQ(host_.LastStatus(), text);
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].text, text);
}

TEST_F(Save, RemovesTheTemporaryFilesOfInstancesThatAreGone) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::string dead = ".plandock." + std::to_string(DeadPid()) + ".0.0badf00d.tmp";
  const std::vector<std::string> kept = {
      ".plandock.1.0.00000000.tmp",  // process 1 always runs
      ".plandock.x.tmp",
      "notes.tmp",
  };
  Put(dir_.path() / dead, "left by a killed save");
  for (const std::string& name : kept) Put(dir_.path() / name, "keep");
  std::vector<MergeEntry> entries;
  ASSERT_EQ(Run(Settings(base, PathOf("out.jww")), entries), MergeJobResult::kCompleted);
  EXPECT_FALSE(fs::exists(dir_.path() / dead));
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(dir_.path() / name)) << name;
}

TEST(Documents, RemoveThePrivateFoldersOfInstancesThatAreGone) {
  ScopedTempDir temp;
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_value = saved != nullptr ? saved : "";
  setenv("TMPDIR", temp.path().c_str(), 1);
  const fs::path stale = temp.path() / ("plandock-" + std::to_string(DeadPid()) + "-Ab12Cd");
  const fs::path live = temp.path() / "plandock-1-Xy34Zw";
  const fs::path other = temp.path() / "plandock-notes";
  for (const fs::path& p : {stale, live, other}) fs::create_directories(p / "TEMP");
  Put(stale / "TEMP" / "image.bmp", "image");
  {
    const auto docs = CreateDocuments();
    EXPECT_EQ(fs::path(docs->image_root).parent_path().parent_path(), temp.path());
  }
  if (saved != nullptr) {
    setenv("TMPDIR", saved_value.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(other));
}

#else

TEST_F(Save, DestinationKindsBackupsAndLeftoversArePosixOnly) {
  GTEST_SKIP() << "these save tests make device nodes, FIFOs, links, mounts and signals, "
                  "which only POSIX has";
}

#endif  // !_WIN32

}  // namespace
}  // namespace plandock::test
