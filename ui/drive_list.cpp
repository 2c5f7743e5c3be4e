#include "ui/drive_list.h"

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view KindSuffix(DriveKind kind) {
  switch (kind) {
    case DriveKind::Fixed: return " （硬盘）";
    case DriveKind::Network: return " （网络驱动器）";
    case DriveKind::CdRom: return " （光驱）";
    case DriveKind::RamDisk: return " （内存虚拟驱动器）";
    case DriveKind::Other: break;
  }
  return {};
}

}  // namespace

char DriveLetterOfRoot(std::string_view root) { return root.empty() ? '\0' : UpperAscii(root.front()); }

Text DriveItemText(char letter, DriveKind kind, std::string_view label) {
  Text item(1, letter);
  item += ':';
  item += KindSuffix(kind);
  if (kind == DriveKind::Fixed && !label.empty()) {
    item += ' ';
    item += label;
  }
  return item;
}

char CurrentDriveLetter(std::string_view currentDirectory) {
  if (currentDirectory.size() >= 2 && currentDirectory[1] == ':' && IsAsciiLetter(currentDirectory[0])) {
    return UpperAscii(currentDirectory[0]);
  }
  return '@';
}
