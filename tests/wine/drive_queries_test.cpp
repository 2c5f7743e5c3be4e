// The drive queries on real drives. The stage maps the drives and names them
// in the environment; expected figures come from the platform itself (the
// statvfs figures the stage passes, or the Win32 call made directly here).
//
//   KESTRUNE_DRIVE_LABELED   folder drive labelled "卷标 Data"
//   KESTRUNE_DRIVE_PLAIN     folder drive without a label
//   KESTRUNE_DRIVE_RENAME    folder drive labelled "OLD", free to rename
//   KESTRUNE_DRIVE_MISSING   drive on a missing folder
//   KESTRUNE_DRIVE_FLOPPY    removable drive on a missing folder (no media)
//   KESTRUNE_DRIVE_READONLY  read-only mounted drive (absent: not permitted)
//   KESTRUNE_DRIVES_SPACE    "letter:total:available ..." in bytes, for the
//                            drives of exact sizes

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "drive/drive_info.h"

namespace {

// The letter of a drive the stage mapped, as a one-letter drive text.
std::string DriveFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? std::string(1, value[0]) : std::string();
}

std::string RootOf(const std::string& drive) { return drive + ":\\"; }

// The test's own look at the platform: GetDiskFreeSpaceExA, in KiB.
struct DirectSpace {
  std::int64_t totalKb = -1;
  std::int64_t availableKb = -1;
};
DirectSpace QueryDirectly(const std::string& drive) {
  ULARGE_INTEGER available{}, total{}, free{};
  if (!GetDiskFreeSpaceExA(RootOf(drive).c_str(), &available, &total, &free)) return {};
  return {static_cast<std::int64_t>(total.QuadPart / 1024), static_cast<std::int64_t>(available.QuadPart / 1024)};
}

std::wstring WideOf(const char* text, UINT codePage) {
  const int chars = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  std::wstring wide(chars > 0 ? chars - 1 : 0, L'\0');
  if (chars > 1) MultiByteToWideChar(codePage, 0, text, -1, wide.data(), chars);
  return wide;
}

// The label Wine keeps for a folder drive, read from its file: the file as
// UTF-8 text without its line end, or "(none)" when there is no file.
std::wstring LabelFile(const std::string& drive) {
  const HANDLE file = CreateFileA((RootOf(drive) + ".windows-label").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"(none)";
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  std::string text(buffer, read);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return WideOf(text.c_str(), CP_UTF8);
}

// The process error mode, read without changing it.
UINT CurrentErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

const DrivePlatform& System() { return SystemDrivePlatform(); }

// The system platform as it is on Windows without GetDiskFreeSpaceExA: the
// real GetDiskFreeSpaceA behind the cluster arithmetic.
DrivePlatform WithoutFreeSpaceEx() {
  DrivePlatform platform = SystemDrivePlatform();
  platform.hasFreeSpaceEx = [] { return false; };
  return platform;
}

std::string selectorText;
Text ReadSelector() { return Text(selectorText.c_str()); }

TEST(DriveQueries, SystemDriveMatchesThePlatform) {
  // C: is shared with everything else on the machine, so its free space may
  // move while we look: read it directly before and after until it holds still.
  for (int attempt = 0; attempt < 50; ++attempt) {
    const DirectSpace before = QueryDirectly("C");
    ASSERT_GT(before.totalKb, 0);
    const std::int64_t total = GetDiskTotalKb(System(), "C");
    const std::int64_t free = GetDiskFreeKb(System(), "c:\\windows");
    selectorText = "C";
    DriveInfo record;
    QueryDriveInfo(System(), ReadSelector, record);
    const DirectSpace after = QueryDirectly("C");
    const bool still = before.availableKb == after.availableKb && free == before.availableKb &&
                       record.freeKb == before.availableKb;
    if (!still && attempt < 49) continue;
    EXPECT_EQ(total, before.totalKb);
    EXPECT_EQ(free, before.availableKb);
    EXPECT_EQ(record.totalKb, before.totalKb);
    EXPECT_EQ(record.freeKb, before.availableKb);
    EXPECT_EQ(record.usedKb, before.totalKb - before.availableKb);
    EXPECT_EQ(record.driveText, "C");
    return;
  }
}

TEST(DriveQueries, LabelsComeBackInGbk) {
  const std::string labeled = DriveFromEnvironment("KESTRUNE_DRIVE_LABELED");
  const std::string plain = DriveFromEnvironment("KESTRUNE_DRIVE_PLAIN");
  ASSERT_FALSE(labeled.empty());
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(GetDiskVolumeLabel(System(), labeled), "卷标 Data");
  std::string lower = labeled;
  lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
  EXPECT_EQ(GetDiskVolumeLabel(System(), lower + ":\\anything"), "卷标 Data");
  EXPECT_EQ(GetDiskVolumeLabel(System(), plain), "");
  // A folder drive has space like any other.
  EXPECT_EQ(GetDiskTotalKb(System(), plain), QueryDirectly(plain).totalKb);
}

TEST(DriveQueries, AnEmptyTextNamesTheCurrentDrive) {
  const std::string labeled = DriveFromEnvironment("KESTRUNE_DRIVE_LABELED");
  ASSERT_FALSE(labeled.empty());
  char saved[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(RootOf(labeled).c_str()));
  const char resolved = ResolveDriveLetter(System(), "");
  const Text label = GetDiskVolumeLabel(System(), "");
  const Text labelOfDigit = GetDiskVolumeLabel(System(), "1");
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(resolved, labeled[0]);
  EXPECT_EQ(label, "卷标 Data");
  EXPECT_EQ(labelOfDigit, "卷标 Data");
}

TEST(DriveQueries, DrivesThatAreNotReadyFailQuietly) {
  const std::string missing = DriveFromEnvironment("KESTRUNE_DRIVE_MISSING");
  const std::string floppy = DriveFromEnvironment("KESTRUNE_DRIVE_FLOPPY");
  ASSERT_FALSE(missing.empty());
  ASSERT_FALSE(floppy.empty());
  EXPECT_EQ(GetDriveTypeA(RootOf(missing).c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  EXPECT_EQ(GetDriveTypeA(RootOf(floppy).c_str()), static_cast<UINT>(DRIVE_REMOVABLE));

  // The queries turn error boxes off only while they run.
  const UINT callerMode = SEM_NOGPFAULTERRORBOX;
  const UINT savedMode = SetErrorMode(callerMode);
  for (const std::string& drive : {missing, floppy}) {
    EXPECT_EQ(GetDiskVolumeLabel(System(), drive), "") << drive;
    EXPECT_EQ(GetDiskTotalKb(System(), drive), -1) << drive;
    EXPECT_EQ(GetDiskFreeKb(System(), drive), -1) << drive;
    EXPECT_EQ(GetDiskTotalKb(WithoutFreeSpaceEx(), drive), -1) << drive;
    EXPECT_FALSE(SetDiskVolumeLabel(System(), drive, "X")) << drive;
    selectorText = drive;
    DriveInfo record{.volumeLabel = Text("old"), .totalKb = 1, .freeKb = 1, .usedKb = 1};
    QueryDriveInfo(System(), ReadSelector, record);
    EXPECT_EQ(record.volumeLabel, "") << drive;
    EXPECT_EQ(record.totalKb, 0) << drive;
    EXPECT_EQ(record.freeKb, 0) << drive;
    EXPECT_EQ(record.usedKb, 0) << drive;
    EXPECT_EQ(record.driveText, drive.c_str());
    EXPECT_EQ(CurrentErrorMode(), callerMode);
  }
  SetErrorMode(savedMode);
}

struct ExactDrive {
  std::string drive;
  std::int64_t totalBytes;
  std::int64_t availableBytes;
};

std::vector<ExactDrive> ExactDrives() {
  std::vector<ExactDrive> drives;
  const char* list = std::getenv("KESTRUNE_DRIVES_SPACE");
  std::istringstream in(list != nullptr ? list : "");
  std::string item;
  while (in >> item) {
    ExactDrive drive;
    char letter = 0, colon1 = 0, colon2 = 0;
    std::istringstream fields(item);
    if (fields >> letter >> colon1 >> drive.totalBytes >> colon2 >> drive.availableBytes) {
      drive.drive = std::string(1, letter);
      drives.push_back(drive);
    }
  }
  return drives;
}

TEST(DriveQueries, DrivesOfExactSizesShowTheirTrueSize) {
  const std::vector<ExactDrive> drives = ExactDrives();
  if (drives.empty()) GTEST_SKIP() << "no mounted drives: mounting is not permitted here";
  for (const ExactDrive& d : drives) {
    EXPECT_EQ(GetDiskTotalKb(System(), d.drive), d.totalBytes / 1024) << d.drive;
    EXPECT_EQ(GetDiskFreeKb(System(), d.drive), d.availableBytes / 1024) << d.drive;
    selectorText = d.drive;
    DriveInfo record;
    QueryDriveInfo(System(), ReadSelector, record);
    EXPECT_EQ(record.totalKb, d.totalBytes / 1024) << d.drive;
    EXPECT_EQ(record.freeKb, d.availableBytes / 1024) << d.drive;
    EXPECT_EQ(record.usedKb, d.totalBytes / 1024 - d.availableBytes / 1024) << d.drive;
  }
}

TEST(DriveQueries, WithoutTheExCallSizesComeFromClusters) {
  const std::vector<ExactDrive> drives = ExactDrives();
  if (drives.empty()) GTEST_SKIP() << "no mounted drives: mounting is not permitted here";
  for (const ExactDrive& d : drives) {
    // What the system's cluster figures say, worked out here in 64 bits.
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA(RootOf(d.drive).c_str(), &sectors, &bytes, &freeClusters, &totalClusters));
    const std::int64_t cluster = std::int64_t{sectors} * bytes;
    EXPECT_EQ(GetDiskTotalKb(WithoutFreeSpaceEx(), d.drive), (cluster * totalClusters + 512) / 1024) << d.drive;
    EXPECT_EQ(GetDiskFreeKb(WithoutFreeSpaceEx(), d.drive), (cluster * freeClusters + 512) / 1024) << d.drive;
    // Below 4 G clusters the cluster figures are the drive's own: exact.
    if (d.totalBytes / cluster <= 0xFFFFFFFF) {
      EXPECT_EQ(GetDiskTotalKb(WithoutFreeSpaceEx(), d.drive), d.totalBytes / 1024) << d.drive;
    }
  }
}

TEST(DriveQueries, RenamingWritesTheLabel) {
  const std::string drive = DriveFromEnvironment("KESTRUNE_DRIVE_RENAME");
  ASSERT_FALSE(drive.empty());
  ASSERT_EQ(LabelFile(drive), L"OLD");
  EXPECT_TRUE(SetDiskVolumeLabel(System(), drive, "新卷标"));
  EXPECT_EQ(LabelFile(drive), WideOf("新卷标", 936));
  // Bytes that are not GBK are refused, not written as something else.
  EXPECT_FALSE(SetDiskVolumeLabel(System(), drive, "\x81"));
  EXPECT_EQ(LabelFile(drive), WideOf("新卷标", 936));
  EXPECT_TRUE(SetDiskVolumeLabel(System(), drive, "Plain"));
  EXPECT_EQ(LabelFile(drive), L"Plain");
  EXPECT_TRUE(SetDiskVolumeLabel(System(), drive, ""));
  const std::wstring removed = LabelFile(drive);
  EXPECT_TRUE(removed == L"(none)" || removed.empty()) << "label left: " << removed.size() << " characters";
}

TEST(DriveQueries, ARenameOnAReadOnlyDriveFails) {
  const std::string drive = DriveFromEnvironment("KESTRUNE_DRIVE_READONLY");
  if (drive.empty()) GTEST_SKIP() << "no read-only drive: mounting is not permitted here";
  EXPECT_FALSE(SetDiskVolumeLabel(System(), drive, "NEW"));
  EXPECT_EQ(LabelFile(drive), L"(none)");
}

}  // namespace
