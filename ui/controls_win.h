#pragma once
// The control kinds of the form, one file each, and what they share with the
// runtime. Each Create function makes the control hidden, as a child of
// `parent` at the form's place and size, with the form's identifier as its
// control ID; the runtime shows it afterwards.
//
// The program's own control classes keep their form entry in GWLP_USERDATA;
// for the system's controls (button, edit, drop-down list) GWLP_USERDATA also
// belongs to the kind's file. Other layers that subclass a control keep their
// data in window properties.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "drive/text.h"
#include "ui/form.h"

// A control's own state block in GWLP_USERDATA: taken from the program heap
// at WM_NCCREATE, given back at WM_NCDESTROY. Null before and after.
template <class State>
State* ControlState(HWND control) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

template <class State>
State& AttachControlState(HWND control) {
  State* state = std::construct_at(ProgramAllocator<State>().allocate(1));
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return *state;
}

template <class State>
void ReleaseControlState(HWND control) {
  State* state = ControlState<State>(control);
  SetWindowLongPtrW(control, GWLP_USERDATA, 0);
  if (state == nullptr) return;
  std::destroy_at(state);
  ProgramAllocator<State>().deallocate(state, 1);
}

HWND CreateLabel(const ControlSpec& spec, HWND parent);
HWND CreateGroupBox(const ControlSpec& spec, HWND parent);
HWND CreateButton(const ControlSpec& spec, HWND parent);
HWND CreateEditBox(const ControlSpec& spec, HWND parent);
HWND CreateDriverBox(const ControlSpec& spec, HWND parent);
HWND CreatePicBox(const ControlSpec& spec, HWND parent);
HWND CreateSplitterBar(const ControlSpec& spec, HWND parent);
HWND CreatePageControl(const ControlSpec& spec, HWND parent);
HWND CreatePieChart(const ControlSpec& spec, HWND parent);

// --- Properties ---------------------------------------------------------------
// Picture box: shows the image in `bytes` stretched to the box, or nothing.
void PicBoxSetPicture(HWND box, std::span<const std::uint8_t> bytes);
// Drive selector: stores the confirmed choice's letter (none without a
// selection), and reads the stored letter or, without one, the current drive.
void DriverBoxStoreSelection(HWND box);
char DriverBoxCurrentDrive(HWND box);
// Tab container: the selected page.
int PageControlSelectedPage(HWND container);

// --- What the runtime does for the controls ------------------------------------
// What every container (the window, the tab container, a group box) does
// with its children's messages: WM_COMMAND raises the child's bound event (a
// button's click, the drive selector's confirmed choice); WM_CTLCOLOR*
// answers the child's text and background colours from the form. True, with
// `result`, when the message was one of these.
bool RelayChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Shows the controls of `page` and hides those of the other page, then moves
// the focus to the page's first control that can take it.
void ShowFormPage(int page);

// The colour value of a form colour (kButtonFace → the system's button face).
COLORREF ResolveColour(Colour colour);
// A brush of that colour: a stock or system brush where one exists, else the
// DC brush of `dc` set to it.
HBRUSH ColourBrush(HDC dc, Colour colour);
// The font of the form's controls.
HFONT DefaultGuiFont();

// Creates a control window of `className` from its form entry: hidden child
// at the form's place, `height` tall, with the form's identifier, tab stop
// and border settings and the default GUI font. The form entry goes along as
// the creation parameter.
HWND CreateControlWindow(const wchar_t* className, const ControlSpec& spec, HWND parent, DWORD style, int height);
// Registers a class of the program's own, once per process; its windows keep
// their form entry (attached at WM_NCCREATE by AttachSpec).
// `cursor` is one of the system's IDC_ cursors.
void RegisterControlClass(const wchar_t* name, WNDPROC procedure, LPCSTR cursor = IDC_ARROW);
// For WM_NCCREATE of the program's own classes.
void AttachSpec(HWND control, LPARAM createParams);
// The form entry of a control of the program's own classes.
const ControlSpec& SpecOf(HWND control);
