// The drive queries' sequencing against a scripted platform: which drive a
// text names, which root the platform is asked about, the KiB arithmetic of
// both space calls, what failures leave in the record, and the order of the
// selector reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "drive/drive_info.h"

namespace {

constexpr std::int64_t kTiB = std::int64_t{1} << 40;

struct FakeDrive {
  std::string label{};
  bool labelOk = true;
  std::uint64_t totalBytes = 0;
  std::uint64_t availableBytes = 0;
  bool spaceOk = true;
  // GetDiskFreeSpaceA's figures for systems without the Ex call.
  std::uint32_t sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
};

// The scripted platform. Captureless functions reach it through this one
// instance, which each test starts afresh.
struct Fake {
  std::map<char, FakeDrive> drives;
  std::string currentDirectory = "C:\\Tools";
  bool hasEx = true;
  int spaceCalls = 0;
  int failSpaceCall = 0;  // the n-th space call (1-based) fails; 0: none
  std::vector<std::string> roots;  // every root asked about, in order
  std::vector<std::string> labelsSet;
  bool setLabelOk = true;
  std::vector<std::string> selector;  // the texts successive reads return
  std::size_t reads = 0;

  // The drive behind a root, or null for an unknown one; records the root.
  FakeDrive* Drive(const char* root) {
    roots.emplace_back(root);
    const std::string path(root);
    if (path.size() != 3 || path[1] != ':' || path[2] != '\\') return nullptr;
    auto it = drives.find(path[0]);
    return it == drives.end() ? nullptr : &it->second;
  }
  bool SpaceCallFails() { return ++spaceCalls == failSpaceCall; }
};
Fake fake;

const DrivePlatform kFakePlatform = {
    [](const char* root, Text& name) {
      name = "partial";  // what a failing call may leave behind
      FakeDrive* drive = fake.Drive(root);
      if (drive == nullptr || !drive->labelOk) return false;
      name = drive->label.c_str();
      return true;
    },
    [] { return fake.hasEx; },
    [](const char* root, std::uint64_t& available, std::uint64_t& total) {
      FakeDrive* drive = fake.Drive(root);
      if (fake.SpaceCallFails() || drive == nullptr || !drive->spaceOk) return false;
      available = drive->availableBytes;
      total = drive->totalBytes;
      return true;
    },
    [](const char* root, std::uint32_t& spc, std::uint32_t& bps, std::uint32_t& freeClusters,
       std::uint32_t& totalClusters) {
      FakeDrive* drive = fake.Drive(root);
      if (fake.SpaceCallFails() || drive == nullptr || !drive->spaceOk) return false;
      spc = drive->sectorsPerCluster;
      bps = drive->bytesPerSector;
      freeClusters = drive->freeClusters;
      totalClusters = drive->totalClusters;
      return true;
    },
    [](const char* root, const char* label) {
      fake.roots.emplace_back(root);
      fake.labelsSet.emplace_back(label);
      return fake.setLabelOk;
    },
    [] { return Text(fake.currentDirectory.c_str()); },
};

Text ReadSelector() {
  const std::string& text = fake.selector.at(std::min(fake.reads, fake.selector.size() - 1));
  ++fake.reads;
  return Text(text.c_str());
}

class DriveInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { fake = Fake(); }
};

TEST_F(DriveInfoTest, ResolvesTheFirstCharacterOrFallsBackToTheCurrentDrive) {
  struct Case {
    const char* drive;
    const char* currentDirectory;
    char letter;
  };
  const Case cases[] = {
      {"C", "E:\\Tools", 'C'},
      {"d", "E:\\Tools", 'D'},
      {"z:\\ignored", "E:\\Tools", 'Z'},
      {"Ab", "E:\\Tools", 'A'},
      {"", "E:\\Tools", 'E'},
      {"7", "e:\\Tools", 'E'},
      {"@", "E:\\", 'E'},  // the characters either side of the letters
      {"[", "E:\\", 'E'},
      {"`", "E:\\", 'E'},
      {"{", "E:\\", 'E'},
      {"\xC7\xFD", "E:\\", 'E'},  // a GBK character
      {"", "\\\\server\\share\\tools", '@'},
      {"", "", '@'},
      {"", "1:\\", '@'},
  };
  for (const Case& c : cases) {
    fake.currentDirectory = c.currentDirectory;
    EXPECT_EQ(ResolveDriveLetter(kFakePlatform, c.drive), c.letter) << '"' << c.drive << "\" in " << c.currentDirectory;
  }
}

TEST_F(DriveInfoTest, EveryQueryAsksAboutTheRootOfTheResolvedDrive) {
  fake.drives['D'] = {.label = "DATA", .totalBytes = 4096, .availableBytes = 1024};
  EXPECT_EQ(GetDiskVolumeLabel(kFakePlatform, "d:\\work"), "DATA");
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "D"), 4);
  EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "dx"), 1);
  EXPECT_TRUE(SetDiskVolumeLabel(kFakePlatform, "d", "NEW"));
  fake.currentDirectory = "d:\\";
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, ""), 4);
  EXPECT_EQ(fake.roots, (std::vector<std::string>{"D:\\", "D:\\", "D:\\", "D:\\", "D:\\"}));
  EXPECT_EQ(fake.labelsSet, std::vector<std::string>{"NEW"});
}

TEST_F(DriveInfoTest, QueriesFailQuietly) {
  fake.drives['E'] = {.label = "x", .labelOk = false, .spaceOk = false};
  fake.setLabelOk = false;
  for (const char* drive : {"E", "Q"}) {  // a drive that is not ready, and one that does not exist
    EXPECT_EQ(GetDiskVolumeLabel(kFakePlatform, drive), "") << drive;
    EXPECT_EQ(GetDiskTotalKb(kFakePlatform, drive), -1) << drive;
    EXPECT_EQ(GetDiskFreeKb(kFakePlatform, drive), -1) << drive;
    EXPECT_FALSE(SetDiskVolumeLabel(kFakePlatform, drive, "y")) << drive;
  }
  fake.hasEx = false;
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "E"), -1);
  EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "E"), -1);
}

TEST_F(DriveInfoTest, WithoutADriveLetterNothingIsAskedAndEverythingFails) {
  fake.currentDirectory = "\\\\server\\share";
  fake.drives['@'] = {.label = "never", .totalBytes = 4096};
  EXPECT_EQ(GetDiskVolumeLabel(kFakePlatform, ""), "");
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, ""), -1);
  EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "1"), -1);
  EXPECT_FALSE(SetDiskVolumeLabel(kFakePlatform, "", "x"));
  EXPECT_TRUE(fake.roots.empty());
}

TEST_F(DriveInfoTest, ByteCountsBecomeWholeKibWithoutTruncation) {
  struct Case {
    std::uint64_t bytes;
    std::int64_t kb;
  };
  const Case cases[] = {
      {0, 0},
      {1023, 0},
      {2047, 1},
      {(std::uint64_t{1} << 41) - 1024, (std::int64_t{1} << 31) - 1},  // the last size below 2 TiB
      {std::uint64_t{2} << 40, std::int64_t{1} << 31},                 // 2 TiB: past 31 bits
      {std::uint64_t{4} << 40, std::int64_t{1} << 32},                 // 4 TiB: past 32 bits
      {std::uint64_t{20} << 40, 20 * (kTiB >> 10)},
      {std::numeric_limits<std::uint64_t>::max(), (std::int64_t{1} << 54) - 1},
  };
  for (const Case& c : cases) {
    fake.drives['T'] = {.totalBytes = c.bytes, .availableBytes = c.bytes};
    EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "T"), c.kb) << c.bytes;
    EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "T"), c.kb) << c.bytes;
  }
}

TEST_F(DriveInfoTest, WithoutTheExCallClustersAreRoundedToTheNearestKib) {
  struct Case {
    std::uint32_t sectorsPerCluster, bytesPerSector, clusters;
    std::int64_t kb;
  };
  const Case cases[] = {
      {8, 512, 0, 0},
      {8, 512, 1000, 4000},
      {1, 1, 511, 0},    // 0.499 KiB
      {1, 1, 512, 1},    // 0.5 KiB rounds up
      {1, 512, 3, 2},    // 1.5 KiB rounds up
      {1, 1000, 5, 5},   // 4.88 KiB
      {8, 512, 0xFFFFFFFFu, 4 * std::int64_t{0xFFFFFFFF}},  // past 32 bits, where MulDiv gives up
      {128, 512, 0x80000000u, std::int64_t{1} << 37},  // 128 TiB
      {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, std::numeric_limits<std::int64_t>::max()},
  };
  fake.hasEx = false;
  for (const Case& c : cases) {
    // Free clusters differ from total ones, so each query must pick its own.
    fake.drives['F'] = {.sectorsPerCluster = c.sectorsPerCluster, .bytesPerSector = c.bytesPerSector,
                        .freeClusters = c.clusters, .totalClusters = c.clusters == 0 ? 1000u : 0u};
    EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "F"), c.kb) << c.sectorsPerCluster << " " << c.bytesPerSector << " " << c.clusters;
    std::swap(fake.drives['F'].freeClusters, fake.drives['F'].totalClusters);
    EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "F"), c.kb) << c.sectorsPerCluster << " " << c.bytesPerSector << " " << c.clusters;
  }
}

TEST_F(DriveInfoTest, TheExCallIsLookedUpOnEveryQuery) {
  fake.drives['C'] = {.totalBytes = 8192, .availableBytes = 4096,
                      .sectorsPerCluster = 1, .bytesPerSector = 1024, .freeClusters = 3, .totalClusters = 5};
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "C"), 8);
  fake.hasEx = false;
  EXPECT_EQ(GetDiskTotalKb(kFakePlatform, "C"), 5);
  EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "C"), 3);
  fake.hasEx = true;
  EXPECT_EQ(GetDiskFreeKb(kFakePlatform, "C"), 4);
}

TEST_F(DriveInfoTest, QueryReadsTheSelectorAfreshForEachStep) {
  // A selector that changes under the queries shows which read fed which field.
  fake.drives['A'] = {.label = "LABEL-A", .totalBytes = 1 << 20, .availableBytes = 1 << 10};
  fake.drives['B'] = {.label = "LABEL-B", .totalBytes = 2 << 20, .availableBytes = 2 << 10};
  fake.drives['C'] = {.label = "LABEL-C", .totalBytes = 3 << 20, .availableBytes = 3 << 10};
  fake.drives['D'] = {.label = "LABEL-D", .totalBytes = 4 << 20, .availableBytes = 4 << 10};
  fake.drives['E'] = {.label = "LABEL-E", .totalBytes = 5 << 20, .availableBytes = 5 << 10};
  fake.selector = {"A", "B", "C", "D", "E", "F", "G"};
  DriveInfo record;
  QueryDriveInfo(kFakePlatform, ReadSelector, record);
  EXPECT_EQ(fake.reads, 6u);
  EXPECT_EQ(record.volumeLabel, "LABEL-A");
  EXPECT_EQ(record.totalKb, 2 << 10);
  EXPECT_EQ(record.freeKb, 3);
  EXPECT_EQ(record.usedKb, (4 << 10) - 5);  // total of the 4th read minus free of the 5th
  EXPECT_EQ(record.driveText, "F");
}

TEST_F(DriveInfoTest, QueryFillsTheRecordOfOneDrive) {
  fake.drives['D'] = {.label = "卷标", .totalBytes = std::uint64_t{20} << 40, .availableBytes = (std::uint64_t{3} << 40) + 5120};
  fake.selector = {"D"};
  DriveInfo record{.volumeLabel = Text("old"), .totalKb = -7, .freeKb = -7, .usedKb = -7, .driveText = Text("Z")};
  QueryDriveInfo(kFakePlatform, ReadSelector, record);
  EXPECT_EQ(record.volumeLabel, "卷标");
  EXPECT_EQ(record.totalKb, 20 * (kTiB >> 10));
  EXPECT_EQ(record.freeKb, 3 * (kTiB >> 10) + 5);
  EXPECT_EQ(record.usedKb, 17 * (kTiB >> 10) - 5);
  EXPECT_EQ(record.driveText, "D");
}

TEST_F(DriveInfoTest, AnyFailedSpaceQueryLeavesAllSizesZero) {
  fake.drives['D'] = {.label = "DATA", .totalBytes = 8 << 20, .availableBytes = 2 << 20};
  fake.selector = {"D"};
  // The first four space calls are total, free, and the pair for the used space.
  for (int failing = 1; failing <= 4; ++failing) {
    fake.spaceCalls = 0;
    fake.failSpaceCall = failing;
    fake.reads = 0;
    DriveInfo record{.totalKb = 9, .freeKb = 9, .usedKb = 9};
    QueryDriveInfo(kFakePlatform, ReadSelector, record);
    EXPECT_EQ(record.totalKb, 0) << "space call " << failing;
    EXPECT_EQ(record.freeKb, 0) << "space call " << failing;
    EXPECT_EQ(record.usedKb, 0) << "space call " << failing;
    EXPECT_EQ(record.volumeLabel, "DATA");
    EXPECT_EQ(record.driveText, "D");
  }
}

TEST_F(DriveInfoTest, ADriveThatIsNotReadyShowsEmpty) {
  fake.drives['A'] = {.labelOk = false, .spaceOk = false};
  fake.selector = {"A"};
  DriveInfo record{.volumeLabel = Text("previous"), .totalKb = 5, .freeKb = 4, .usedKb = 1, .driveText = Text("C")};
  QueryDriveInfo(kFakePlatform, ReadSelector, record);
  EXPECT_EQ(record.volumeLabel, "");
  EXPECT_EQ(record.totalKb, 0);
  EXPECT_EQ(record.freeKb, 0);
  EXPECT_EQ(record.usedKb, 0);
  EXPECT_EQ(record.driveText, "A");
}

TEST_F(DriveInfoTest, RenamingPassesTheLabelAndTheAnswerThrough) {
  fake.drives['R'] = {};
  EXPECT_TRUE(SetDiskVolumeLabel(kFakePlatform, "R", "新卷标"));
  EXPECT_TRUE(SetDiskVolumeLabel(kFakePlatform, "R", ""));
  fake.setLabelOk = false;
  EXPECT_FALSE(SetDiskVolumeLabel(kFakePlatform, "R", "READONLY"));
  EXPECT_EQ(fake.labelsSet, (std::vector<std::string>{"新卷标", "", "READONLY"}));
}

}  // namespace
