#pragma once
// The skin command message and its command codes, the library-wide reply values, and the routines
// that send, query and broadcast skin commands to forms and controls.

#include <vector>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/SkinCommon.h"

class TsSkinManager;

// The message of the skinning protocol: command code in WParam's high word, a small argument in
// its low word, the manager or a control in LParam.
constexpr UINT SM_ALPHACMD = 0xA100;

enum TacSkinCommand : Word {
  scApplySkin = 1,
  scRemoveSkin = 2,
  scRefresh = 3,
  scGetProvider = 4,
  scGetCache = 5,
  scParentUpdated = 6,
  scIsSkinned = 7,
  scSetUpdating = 8,
  scSetUpdateFlag = 9,
  scIsBgChanged = 10,
  scIsOutOfView = 11,
  scMarkBgChangedIf = 12,
  scReloadSection = 13,
  scMenuFrame = 14,
  scSetPaintedChild = 15,
  scStopFading = 16,
  scMarkBgChanged = 17,
  scHasContentBg = 19,
  scBgChangedDeep = 20,
  scGetBgColor = 21,
  scMarkOutOfView = 22,
  scPrepareCache = 23,
  scControlAdded = 25,
  scGetSkinIndex = 26,
  scGetCaptionHeight = 27,
  scBecameActive = 29,
  scLostActive = 30,
  scUpdateBegun = 31,
  scUpdateEnded = 32,
  scScrollBegins = 51,
  scScrollEnded = 52,
  scGetApplication = 60,
  scGetClientOffset = 61,
  scDropDownButtonMenu = 675,
};

// Private messages to the application's main window and to framed forms.
constexpr UINT kMsgPaintPopupItem = 48307;    // LParam: a menu item whose popup border to paint
constexpr UINT kMsgPaintPopupWindow = 48308;  // LParam: a popup menu window
constexpr UINT kMsgFrameRepaint = 0xBC4D;     // WParam kMsgFrameRepaintTag
constexpr WPARAM kMsgFrameRepaintTag = 0x41A2;

inline WPARAM SkinCommandWParam(Word command, Word argument = 0) { return MAKEWPARAM(argument, command); }

// What a form's skin provider offers the broadcast routines (the form skinning layer implements it).
class TacSkinProviderBase {
 public:
  virtual ~TacSkinProviderBase() = default;
  virtual TsSkinManager* ProviderManager() const = 0;
  // Rebuilds the skinned frame after a skin change.
  virtual void UpdateProviderFrame() = 0;
  // The provider's form, whose colour a provider's skin state paints with.
  virtual TCustomForm* ProviderForm() const { return nullptr; }
  // Frees the cached title image (its section changed).
  virtual void FreeTitleCache() {}
  // A skin command for the provider's own handler.
  virtual void ProviderCommand(TMessage& message) { (void)message; }
};

// Reply values: a sender clears, sends and reads at once.
extern TsCacheRef SharedCacheRef;
extern TColor SharedTransparentColor;  // clFuchsia: nobody answered
extern TColor SharedParentColor;       // clFuchsia: unset
extern std::vector<TCustomForm*> RegisteredForms;
extern String ReloadSectionName;
extern HICON AppSmallIcon;
extern HICON AppLargeIcon;
using TSetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
extern TSetWindowThemeProc SetWindowThemeProc;

LRESULT SendSkinCommand(HWND window, Word command, TsSkinManager* manager);
LRESULT SendSkinCommandTo(TControl* control, Word command, LPARAM lParam);
bool QuerySkinCommand(TControl* control, Word command);
bool QueryWindowCommand(HWND window, Word command);
void NotifyParentForm(TControl* control);
void NotifyChildren(TWinControl* control);
void NotifyChildWindows(HWND window);
TColor GetControlBgColor(TControl* control);
bool ControlIsReady(TControl* control);
TCustomForm* OwnerForm(TComponent* component);
UINT TextAlignFlags(TControl* control, int alignment);
int AlignedChildrenSize(TWinControl* control, TAlign alignment, bool withGraphic);

void BroadcastToChildren(TWinControl* control, TMessage& message);
void BroadcastToForms(TMessage& message);
void BroadcastToRegisteredForms(TMessage& message);
void RegisterForm(TCustomForm* form);
void UnregisterForm(TCustomForm* form);
// The provider a form answers to scGetProvider, or none.
TacSkinProviderBase* ProviderOf(TCustomForm* form);
void LockForms(TsSkinManager* manager);
void UnlockForms(TsSkinManager* manager, bool animate);
