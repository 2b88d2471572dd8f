#ifndef QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_OBJECT_H_
#define QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_OBJECT_H_

#include <windows.h>

#include <optional>

#include "platform/ui/control.h"

namespace quivra::ui::win32 {

// Answers WM_GETOBJECT for a control's window: the system's own accessible object for the
// window (role, state, items, actions), with the name and description a screen reader needs
// where the system's object has none. The name is, in this order, the control's accessible
// name, the system's name (the window's text, or on Windows the label before it), the label
// that precedes the window among its siblings, then the control's hint; access-key ampersands
// are left out. The description is the control's accessible description (a find box's match
// count) when it has one.
// https://learn.microsoft.com/en-us/windows/win32/winauto/providing-the-name-property
// https://learn.microsoft.com/en-us/windows/win32/winauto/wm-getobject
// Returns nothing for requests other than the client object: the window's own procedure answers
// them.
std::optional<LRESULT> AnswerGetObject(HWND window, const Control& control, WPARAM wparam,
                                       LPARAM lparam);

// Names the column header of the list view `list` for screen readers by its columns' captions.
void ExposeListHeader(HWND list);

// The text of the label that names `window`: the nearest previous sibling that is a label
// (STATIC without a picture, or our HTML label) with text, ampersands removed; the search stops
// at a control that starts a tab group, as the system's search does. Empty when there is none.
std::wstring PrecedingLabel(HWND window);

// `text` without its access-key markers ("&&" stays as one "&").
std::wstring WithoutAccessKey(const std::wstring& text);

}  // namespace quivra::ui::win32

#endif  // QUIVRA_PLATFORM_UI_WIN32_ACCESSIBLE_OBJECT_H_
