#include "ui/ribbon/RibbonKeyTipTexts.h"

String QuickAccessKeyTip(int Position) {
  if (Position >= 1 && Position <= 9) return String(1, wchar_t(L'0' + Position));
  if (Position >= 10 && Position <= 18) return String{L'0', wchar_t(L'0' + 19 - Position)};
  if (Position >= 19 && Position <= 44) return String{L'0', wchar_t(L'A' + Position - 19)};
  return L"";
}

String TabExplicitKeyTip(const String& KeyTip) {
  return !KeyTip.empty() && KeyTip[0] >= L'0' && KeyTip[0] <= L'9' ? String() : KeyTip;
}

String CollapsedGroupDefaultKeyTip(const String& Caption) {
  return Caption.empty() ? String(L"Z") : String{L'Z', Caption[0]};
}
