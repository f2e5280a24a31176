#pragma once
// Unicode windows for the framework's controls: a control's window is made
// from a Unicode twin of its window class and trapped so that the framework
// still sees its messages in the usual shape; any control keeps a wide
// caption and a wide hint in step with its 8-bit ones.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Controls.h"

// Registered message "UvxUnicodeVcl.DestroyWindow": performed on a control
// after its window is destroyed.
extern UINT UVX_WM_DESTROY;

// False when the control's action supplies the caption (hint).
bool UvxControl_IsCaptionStored(TWinControl* control);
bool UvxControl_IsHintStored(TWinControl* control);
// The wide caption kept while no window exists, or def.
std::u16string UvxControl_GetStoredText(TWinControl* control, const std::u16string& def);
void UvxControl_SetStoredText(TWinControl* control, const std::u16string& text);
std::u16string UvxControl_GetText(TWinControl* control);
void UvxControl_SetText(TWinControl* control, const std::u16string& text);
std::u16string UvxControl_GetHint(TWinControl* control);
void UvxControl_SetHint(TWinControl* control, const std::u16string& text);
// The first non-empty wide hint of the control and its parents.
std::u16string WideGetHint(TWinControl* control);

// The Unicode twin of the params' window class: its name plus ".UnicodeClass".
void RegisterUnicodeClass(const TCreateParams& params, std::u16string& className);
// Makes the control's window Unicode (8-bit on an 8-bit platform); the
// default procedure is that of baseClassName's class, else DefWindowProcW.
void CreateUnicodeHandle(TWinControl* control, const TCreateParams& params, const std::u16string& baseClassName);
// Traps the control's Unicode window and shows the stored wide caption.
void SubClassUnicodeControl(TWinControl* control, const std::string& caption, WNDPROC defProc = DefWindowProcW);
// The common part of making a Unicode window: the class twin registered,
// defProc made the control's default procedure, create called with the
// twin's name, and the new window trapped.
void CreateUnicodeWindow(TWinControl* control, const TCreateParams& params, WNDPROC defProc,
                         const std::function<HWND(const std::u16string& className)>& create);
// A new window for the control, with its wide caption and focus kept.
void ReCreateUnicodeWnd(TWinControl* control);

class TListBox;
class TObject;
// A list control that takes wide items.
class IWideCustomListControl {
public:
    virtual ~IWideCustomListControl() = default;
    virtual void AddItem(const std::u16string& item, TObject* object) = 0;
};
// The wide add-item of a list control that has one, else the framework's
// with the 8-bit conversion.
void WideListControl_AddItem(TListBox* control, const std::u16string& item, TObject* object);
