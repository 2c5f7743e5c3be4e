// Drive selector: the system's drop-down list, filled once at creation with
// the machine's drives and selecting the process's current drive. It stores
// the drive of each confirmed choice; the runtime raises the selection event
// after the store.
#include "ui/controls_win.h"
#include "ui/drive_list.h"
#include "ui/text_win.h"

namespace {

// The selector is never less than this tall: selection field and dropped
// list share the height.
constexpr int kMinimumHeight = 80;

// GWLP_USERDATA: the stored drive letter, 0 for none.
void StoreLetter(HWND box, char letter) { SetWindowLongPtrW(box, GWLP_USERDATA, static_cast<unsigned char>(letter)); }

DriveKind KindOf(UINT type) {
  switch (type) {
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Other;
  }
}

Text VolumeLabel(const wchar_t* root) {
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) return Text();
  return TextFromWide(label);
}

char ProcessCurrentDrive() {
  wchar_t directory[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, directory);
  if (length == 0 || length > MAX_PATH) return '@';
  return CurrentDriveLetter(TextFromWide(std::wstring_view(directory, length)));
}

void FillList(HWND box) {
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  wchar_t roots[260] = {};
  const DWORD length = GetLogicalDriveStringsW(260, roots);
  if (length >= 260) return;  // more than the buffer holds: no list
  for (const wchar_t* root = roots; *root != L'\0'; root += lstrlenW(root) + 1) {
    const char letter = DriveLetterOfRoot(TextFromWide(std::wstring_view(root, 1)));
    const wchar_t typeRoot[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    const DriveKind kind = KindOf(GetDriveTypeW(typeRoot));
    const Text label = kind == DriveKind::Fixed ? VolumeLabel(root) : Text();
    const WideText item = WideFromText(DriveItemText(letter, kind, label));
    const LRESULT index = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (index >= 0) SendMessageW(box, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<unsigned char>(letter));
  }
  const char wanted = ProcessCurrentDrive();
  const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == static_cast<unsigned char>(wanted)) {
      SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      StoreLetter(box, wanted);
      return;
    }
  }
  StoreLetter(box, '\0');
}

}  // namespace

HWND CreateDriverBox(const ControlSpec& spec, HWND parent) {
  const int height = spec.height > kMinimumHeight ? spec.height : kMinimumHeight;
  HWND box =
      CreateControlWindow(L"COMBOBOX", spec, parent, CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL, height);
  if (box != nullptr) FillList(box);
  return box;
}

void DriverBoxStoreSelection(HWND box) {
  const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
  const LRESULT letter = selected == CB_ERR ? 0 : SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  StoreLetter(box, letter == CB_ERR ? '\0' : static_cast<char>(letter));
}

char DriverBoxCurrentDrive(HWND box) {
  const auto stored = static_cast<char>(GetWindowLongPtrW(box, GWLP_USERDATA));
  return stored != '\0' ? stored : ProcessCurrentDrive();
}
