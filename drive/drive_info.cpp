// The drive record and the four drive queries: which drive a text names, in
// what order the record is filled, and what a failure leaves behind. The
// platform's answers come through a DrivePlatform.

#include "drive/drive_info.h"

#include <limits>

DriveInfo* driveInfo = nullptr;

namespace {

bool IsUpperLetter(unsigned char c) { return c >= 'A' && c <= 'Z'; }

unsigned char FoldLetter(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// The drive's root path, "X:\". Null for the letter that stands for "no
// drive" (a current directory without a drive letter): there is nothing to
// ask the platform about, and every query fails.
struct RootPath {
  char path[4];
  bool valid;
};

RootPath RootOf(const DrivePlatform& platform, std::string_view drive) {
  const char letter = ResolveDriveLetter(platform, drive);
  return {{letter, ':', '\\', '\0'}, IsUpperLetter(static_cast<unsigned char>(letter))};
}

// A KiB count for a byte count; exact, since a 64-bit byte count shifted by
// ten bits always fits.
std::int64_t KbOfBytes(std::uint64_t bytes) { return static_cast<std::int64_t>(bytes >> 10); }

// clusters × bytesPerCluster ÷ 1024, rounded to the nearest KiB with halves
// going up, as MulDiv rounds, but without its 32-bit limit. Saturates instead
// of wrapping for figures no file system reports.
std::int64_t KbOfClusters(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector, std::uint32_t clusters) {
  const std::uint64_t bytesPerCluster = std::uint64_t{sectorsPerCluster} * bytesPerSector;
  // Whole KiB per cluster, and the remainder in bytes (< 1024).
  std::uint64_t wholeKb = 0;
  if (__builtin_mul_overflow(bytesPerCluster >> 10, std::uint64_t{clusters}, &wholeKb)) {
    return std::numeric_limits<std::int64_t>::max();
  }
  const std::uint64_t remainder = (bytesPerCluster & 1023) * clusters;  // < 2^42
  const std::uint64_t kb = wholeKb + ((remainder + 512) >> 10);
  if (kb < wholeKb || kb > std::uint64_t{std::numeric_limits<std::int64_t>::max()}) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return static_cast<std::int64_t>(kb);
}

enum class SpaceKind { total, free };

// GetDiskTotalKb and GetDiskFreeKb: GetDiskFreeSpaceExA when the system has
// it, GetDiskFreeSpaceA otherwise. −1 on failure.
std::int64_t GetDiskSpaceKb(const DrivePlatform& platform, std::string_view drive, SpaceKind kind) {
  const RootPath root = RootOf(platform, drive);
  if (!root.valid) return -1;
  if (platform.hasFreeSpaceEx()) {
    std::uint64_t availableToCaller = 0;
    std::uint64_t totalBytes = 0;
    if (!platform.freeSpaceEx(root.path, availableToCaller, totalBytes)) return -1;
    return KbOfBytes(kind == SpaceKind::total ? totalBytes : availableToCaller);
  }
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
  if (!platform.freeSpace(root.path, sectorsPerCluster, bytesPerSector, freeClusters, totalClusters)) return -1;
  return KbOfClusters(sectorsPerCluster, bytesPerSector, kind == SpaceKind::total ? totalClusters : freeClusters);
}

}  // namespace

char ResolveDriveLetter(const DrivePlatform& platform, std::string_view drive) {
  if (!drive.empty()) {
    const unsigned char letter = FoldLetter(static_cast<unsigned char>(drive.front()));
    if (IsUpperLetter(letter)) return static_cast<char>(letter);
  }
  // The current drive: the current directory's letter when it has one ("C:\…"),
  // else 0x40, one below 'A' (a UNC current directory).
  const Text directory = platform.currentDirectory();
  if (directory.size() >= 2 && directory[1] == ':') {
    const unsigned char letter = FoldLetter(static_cast<unsigned char>(directory[0]));
    if (IsUpperLetter(letter)) return static_cast<char>(letter);
  }
  return 'A' - 1;
}

Text GetDiskVolumeLabel(const DrivePlatform& platform, std::string_view drive) {
  const RootPath root = RootOf(platform, drive);
  Text label;
  if (!root.valid || !platform.volumeName(root.path, label)) label.clear();
  return label;
}

std::int64_t GetDiskTotalKb(const DrivePlatform& platform, std::string_view drive) {
  return GetDiskSpaceKb(platform, drive, SpaceKind::total);
}

std::int64_t GetDiskFreeKb(const DrivePlatform& platform, std::string_view drive) {
  return GetDiskSpaceKb(platform, drive, SpaceKind::free);
}

bool SetDiskVolumeLabel(const DrivePlatform& platform, std::string_view drive, std::string_view label) {
  const RootPath root = RootOf(platform, drive);
  if (!root.valid) return false;
  const Text terminated(label);
  return platform.setVolumeLabel(root.path, terminated.c_str());
}

void QueryDriveInfo(const DrivePlatform& platform, DriveTextReader readDrive, DriveInfo& record) {
  // Every query reads the selector afresh, so each one sees the drive the
  // selector shows at that moment.
  record.volumeLabel = GetDiskVolumeLabel(platform, readDrive());
  const std::int64_t totalKb = GetDiskTotalKb(platform, readDrive());
  const std::int64_t freeKb = GetDiskFreeKb(platform, readDrive());
  // The used figure comes from a second pair of queries.
  const std::int64_t t = GetDiskTotalKb(platform, readDrive());
  const std::int64_t f = GetDiskFreeKb(platform, readDrive());
  if (totalKb < 0 || freeKb < 0 || t < 0 || f < 0) {
    // A drive whose space cannot be read (no media, not ready) shows as empty,
    // as the system's own properties dialog shows it, never as −1 KiB.
    record.totalKb = 0;
    record.freeKb = 0;
    record.usedKb = 0;
  } else {
    record.totalKb = totalKb;
    record.freeKb = freeKb;
    record.usedKb = t - f;
  }
  record.driveText = readDrive();
}
