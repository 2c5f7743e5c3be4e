// Picture box: its background colour, and over it the picture last written,
// stretched to the whole box. The picture comes as the bytes of an image
// file; the platform's picture loader reads it into a bitmap of the box's
// size once, so painting only copies that bitmap.
#include <ole2.h>
#include <olectl.h>

#include "ui/controls_win.h"
#include "ui/gdi_win.h"

namespace {

constexpr wchar_t kPicBoxClass[] = L"WTPicBox";
// The box's picture, a bitmap of its size, owned by the box.
constexpr wchar_t kPictureProp[] = L"Kestrune.Picture";

void ReleaseComObject(IUnknown* object) { object->Release(); }
using OwnedStream = Owned<IStream*, ReleaseComObject>;
using OwnedPicture = Owned<IPicture*, ReleaseComObject>;
void FreeGlobal(HGLOBAL memory) { GlobalFree(memory); }
using OwnedGlobal = Owned<HGLOBAL, FreeGlobal>;

// The formats the box accepts, told by their first bytes: BMP, JPEG, ICO,
// CUR, GIF, PCX.
bool LooksLikeImage(std::span<const std::uint8_t> b) {
  if (b.size() < 4) return false;
  if (b[0] == 'B' && b[1] == 'M') return true;
  if (b[0] == 0xFF && b[1] == 0xD8) return true;
  if (b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0) return true;
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8') return true;
  return b[0] == 0x0A && b[1] <= 5 && b[2] == 1;
}

OwnedPicture LoadPicture(std::span<const std::uint8_t> bytes) {
  OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory) return OwnedPicture();
  void* data = GlobalLock(memory.get());
  if (data == nullptr) return OwnedPicture();
  CopyMemory(data, bytes.data(), bytes.size());
  GlobalUnlock(memory.get());
  IStream* rawStream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory.get(), FALSE, &rawStream))) return OwnedPicture();
  OwnedStream stream(rawStream);
  void* picture = nullptr;
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, &picture))) {
    return OwnedPicture();
  }
  return OwnedPicture(static_cast<IPicture*>(picture));
}

// The picture drawn over the box's background into a bitmap of the box's
// size; null when it cannot be drawn.
HBITMAP RenderPicture(HWND box, IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return nullptr;
  RECT client;
  GetClientRect(box, &client);
  WindowDc screen(box);
  OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return nullptr;
  {
    Selection selection(dc.get(), bitmap.get());
    FillRect(dc.get(), &client, ColourBrush(dc.get(), SpecOf(box).backColour));
    if (FAILED(picture->Render(dc.get(), 0, 0, client.right, client.bottom, 0, height, width, -height, nullptr))) {
      return nullptr;
    }
  }
  return bitmap.release();
}

void SetBitmap(HWND box, HBITMAP bitmap) {
  OwnedBitmap previous(static_cast<HBITMAP>(RemovePropW(box, kPictureProp)));
  if (bitmap != nullptr) SetPropW(box, kPictureProp, bitmap);
  InvalidateRect(box, nullptr, FALSE);
}

void PaintContent(HWND box, HDC dc) {
  RECT client;
  GetClientRect(box, &client);
  const auto bitmap = static_cast<HBITMAP>(GetPropW(box, kPictureProp));
  if (bitmap == nullptr) {
    FillRect(dc, &client, ColourBrush(dc, SpecOf(box).backColour));
    return;
  }
  OwnedMemoryDc source(CreateCompatibleDC(dc));
  Selection selection(source.get(), bitmap);
  BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK PicBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      AttachSpec(box, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(box);
      PaintContent(box, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(box, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY:
      SetBitmap(box, nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

}  // namespace

HWND CreatePicBox(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kPicBoxClass, PicBoxProc);
  return CreateControlWindow(kPicBoxClass, spec, parent, 0, spec.height);
}

void PicBoxSetPicture(HWND box, std::span<const std::uint8_t> bytes) {
  HBITMAP bitmap = nullptr;
  if (LooksLikeImage(bytes)) {
    OwnedPicture picture = LoadPicture(bytes);
    if (picture) bitmap = RenderPicture(box, picture.get());
  }
  SetBitmap(box, bitmap);
}
