#pragma once
// The drive selector's list, platform-free: the text of each drive's item
// and the letter of the process's current drive.

#include <string_view>

#include "drive/text.h"

// The drive types the list tells apart; any other type adds nothing.
enum class DriveKind { Other, Fixed, Network, CdRom, RamDisk };

// The letter a drive root names: its first character, a-z folded to A-Z.
char DriveLetterOfRoot(std::string_view root);

// "C:", then " （硬盘）", " （网络驱动器）", " （光驱）" or " （内存虚拟驱动器）"
// by kind, then for a fixed disk with a label " " and the label.
Text DriveItemText(char letter, DriveKind kind, std::string_view label);

// The upper-case drive letter of a current directory such as "d:\tools", or
// '@' (0x40) when it has none (a UNC path).
char CurrentDriveLetter(std::string_view currentDirectory);
