// Button: the system's push button, caption centred over several lines if
// need be; "&" marks the access key. None is the default button.
#include "ui/controls_win.h"

HWND CreateButton(const ControlSpec& spec, HWND parent) {
  return CreateControlWindow(L"BUTTON", spec, parent, BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER,
                             spec.height);
}
