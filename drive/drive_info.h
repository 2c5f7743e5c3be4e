#pragma once
// What the program knows about the drive the drive selector shows, and the
// platform queries behind it.
//
// Sizes are in units of 1024 bytes, held in 64 bits so that drives of 2 TiB
// and more show their true size.

#include <cstdint>
#include <string_view>

#include "drive/text.h"

struct DriveInfo {
  Text volumeLabel{};        // empty when the drive has none or the query failed
  std::int64_t totalKb = 0;  // total capacity
  std::int64_t freeKb = 0;   // free space available to the calling user
  std::int64_t usedKb = 0;   // total minus free
  Text driveText{};          // the selector's drive text as read
};

// The one record; null before start-up creates it and after exit releases it.
extern DriveInfo* driveInfo;

// The platform's answers, one function each, so that the sequencing below can
// run against a fake platform in the tests. `root` is "X:\".
struct DrivePlatform {
  // GetVolumeInformation: the volume name (GBK), or false.
  bool (*volumeName)(const char* root, Text& name);
  // Whether GetDiskFreeSpaceExA exists (looked up on every call).
  bool (*hasFreeSpaceEx)();
  // GetDiskFreeSpaceExA: bytes available to the caller and total bytes.
  bool (*freeSpaceEx)(const char* root, std::uint64_t& availableToCaller, std::uint64_t& totalBytes);
  // GetDiskFreeSpaceA.
  bool (*freeSpace)(const char* root, std::uint32_t& sectorsPerCluster, std::uint32_t& bytesPerSector,
                    std::uint32_t& freeClusters, std::uint32_t& totalClusters);
  // SetVolumeLabel with a GBK label; false also for bytes that are not GBK.
  bool (*setVolumeLabel)(const char* root, const char* label);
  // GetCurrentDirectory (GBK); empty on failure.
  Text (*currentDirectory)();
};

// The real platform (Win32 builds only). Its queries never show the system's
// "no disk in drive" box: a drive without media just fails.
const DrivePlatform& SystemDrivePlatform();

// Reads the selector's current-drive text afresh.
using DriveTextReader = Text (*)();

// The drive a text names: its first character, a-z folded to A-Z. Any other
// first character, or none, names the current drive (the current directory's
// letter), and a current directory without a letter gives '@' (0x40), for
// which every query fails. Each query below works on the root "X:\".
char ResolveDriveLetter(const DrivePlatform& platform, std::string_view drive);
// The volume label; empty when the drive has none or the query failed.
Text GetDiskVolumeLabel(const DrivePlatform& platform, std::string_view drive);
// Total capacity in KiB; -1 on failure.
std::int64_t GetDiskTotalKb(const DrivePlatform& platform, std::string_view drive);
// Free space available to the caller (within any quota) in KiB; -1 on failure.
std::int64_t GetDiskFreeKb(const DrivePlatform& platform, std::string_view drive);
// Renames the volume; an empty label removes it. True when it was changed.
bool SetDiskVolumeLabel(const DrivePlatform& platform, std::string_view drive, std::string_view label);

// Refills `record` from the drive that `readDrive` names, reading the text
// afresh for each query: label, total, free, then total and free again for
// the used space, then the drive text itself. When any space query fails all
// three sizes are 0.
void QueryDriveInfo(const DrivePlatform& platform, DriveTextReader readDrive, DriveInfo& record);
