// What the control kinds share: creation from a form entry, colours, font.
#include "ui/controls_win.h"

#include "ui/text_win.h"

COLORREF ResolveColour(Colour colour) {
  return colour == kButtonFace ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour & 0x00FFFFFF);
}

HBRUSH ColourBrush(HDC dc, Colour colour) {
  if (colour == kButtonFace) return GetSysColorBrush(COLOR_BTNFACE);
  const COLORREF value = ResolveColour(colour);
  if (value == RGB(255, 255, 255)) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (value == RGB(0, 0, 0)) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  SetDCBrushColor(dc, value);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND CreateControlWindow(const wchar_t* className, const ControlSpec& spec, HWND parent, DWORD style, int height) {
  DWORD exStyle = 0;
  if (spec.clientEdge) exStyle |= WS_EX_CLIENTEDGE;
  if (spec.dialogFrame) exStyle |= WS_EX_DLGMODALFRAME;
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (spec.tabStop) style |= WS_TABSTOP;
  const WideText text = WideFromText(spec.text != nullptr ? spec.text : "");
  HWND control = CreateWindowExW(exStyle, className, text.c_str(), style, spec.x, spec.y, spec.width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)), GetModuleHandleW(nullptr),
                                 const_cast<ControlSpec*>(&spec));
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  return control;
}

void RegisterControlClass(const wchar_t* name, WNDPROC procedure, LPCSTR cursor) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorA(nullptr, cursor);  // a resource number, no text
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

void AttachSpec(HWND control, LPARAM createParams) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createParams);
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

const ControlSpec& SpecOf(HWND control) {
  return *reinterpret_cast<const ControlSpec*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}
