#pragma once
// The ribbon colour skins "Blue", "Black" and "Silver": one drawing operation per element of the
// ribbon, its form's frame and caption, the bars and menus shown in the ribbon and the ribbon status
// bar, each drawing the parts cut from the scheme's sheets (the part table, SkinParts.h) or, on a
// screen of 8 bits per pixel or fewer, a plain substitute in system colours. The skins register
// in the bar skin manager when the library starts (with GDI+) and leave it when it ends.

#include <array>
#include <vector>

#include "platform/framework/windows/Forms.h"
#include "ui/ribbon/BarSkins.h"
#include "ui/ribbon/SkinParts.h"

// What the skin needs of a ribbon form to draw its frame and caption; filled by the ribbon form.
struct TdxRibbonFormFrameState {
  bool Active = false;
  TRect Bounds;  // the window's bounds
  TFormBorderStyle BorderStyle = bsSizeable;
  HWND Handle = nullptr;
  TWindowState WindowState = wsNormal;
  TFormStyle FormStyle = fsNormal;
  bool DontUseAero = false;
  bool operator==(const TdxRibbonFormFrameState&) const = default;
};

class TdxCustomRibbonSkin : public TdxCustomBarSkin {
  DECLARE_CLASS(TdxCustomRibbonSkin, TdxCustomBarSkin)
 public:
  // Cuts the parts from the form, common and colour sheets and reads the screen's colour depth;
  // raises when a sheet cannot be read or decoded (the parts made so far are freed).
  void AfterConstruction() override;

  // Drawing uses system-colour substitutes (the screen had 8 bits per pixel or fewer when the skin
  // was made).
  bool LowColor() const { return lowColor_; }
  // The list position of the part for a state of the state table whose first ID is given; -1 when
  // the state has no image.
  int PartPosition(int FirstID, int State) const;

  virtual String SchemeName() const = 0;
  virtual void DrawLowColorApplicationButton(HDC DC, const TRect& R, int State);
  virtual void DrawLowColorMenuFrame(HDC DC, const TRect& R);
  virtual void DrawLowColorFormFrame(HDC DC, const TRect& Borders, const TdxRibbonFormFrameState& FormData);
  virtual void DrawLowColorCaptionButton(HDC DC, const TRect& R, int Kind, int State);
  virtual void DrawLowColorCaption(HDC DC, const TRect& R, const TdxRibbonFormFrameState& FormData);
  // The sheets, decoded; the caller frees them.
  virtual TdxGPImage* LoadCommonSheet();
  virtual TdxGPImage* LoadColorSheet() = 0;
  virtual TdxGPImage* LoadFormSheet() = 0;
  virtual void AddCommonParts(GpImage* Image);
  virtual void AddColorParts(GpImage* Image);
  virtual void AddFormParts(GpImage* Image);
  virtual void AddApplicationButtonParts(GpImage* Image);
  virtual void AddCaptionButtonParts(GpImage* Image);
  virtual void AddItemParts(GpImage* Image);
  virtual void AddPanelParts(GpImage* Image);
  virtual void AddMenuParts(GpImage* Image);
  virtual void AddBarPart32(GpImage* Image);
  virtual void AddBarPart360(GpImage* Image);
  virtual void AddBarPart40(GpImage* Image);
  virtual void AddGalleryParts(GpImage* Image);

  virtual void DrawApplicationButton(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart458(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart452(HDC DC, const TRect& R);
  virtual void DrawBarPart453(HDC DC, const TRect& R);
  virtual void DrawBarPart454(HDC DC, const TRect& R);
  virtual void DrawDropDownArrow(HDC DC, const TRect& R, int State);
  virtual void DrawArrowDown(HDC DC, const TRect& R);
  virtual void DrawArrowRight(HDC DC, const TRect& R);
  virtual void DrawBarPart460(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart470(HDC DC, const TRect& R);
  virtual void DrawBarPart480(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart490(HDC DC, const TRect& R);
  virtual void DrawBarPart500(HDC DC, const TRect& R, int State);
  virtual void DrawGroupBackground(HDC DC, const TRect& R, int State);
  virtual void DrawGroupCaption(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart450(HDC DC, const TRect& R);
  virtual void FillGalleryBackground(HDC DC, const TRect& R);
  virtual void DrawBarPart60(HDC DC, const TRect& R);
  virtual void DrawBarPart58(HDC DC, const TRect& R);
  virtual void DrawBarPart62(HDC DC, const TRect& R);
  virtual void DrawBarPart59(HDC DC, const TRect& R);
  virtual void DrawBarPart57(HDC DC, const TRect& R);
  virtual void DrawBarPart61(HDC DC, const TRect& R);
  virtual void DrawBarPart13(HDC, const TRect&, int) {}
  virtual void DrawBarPart11(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart14(HDC, const TRect&, int) {}
  virtual void DrawBarPart15(HDC, const TRect&, int) {}
  virtual void DrawBarPart16(HDC, const TRect&, int) {}
  // Borders: the frame widths (left, top, right, bottom) inside the form's window rectangle.
  virtual void DrawFormFrame(HDC DC, const TRect& Borders, const TdxRibbonFormFrameState& FormData,
                             int CaptionBottom);
  // Kind 0 minimise, 1 maximise, 2 restore, 3 close, 4 help; State 0 normal, 1 hot, 2 pressed,
  // 3 inactive, 4 inactive and hot.
  virtual void DrawCaptionButton(HDC DC, const TRect& R, int Kind, int State);
  virtual void DrawFormCaption(HDC DC, const TRect& R, const TdxRibbonFormFrameState& FormData);
  virtual void DrawStatusBarEdge(HDC DC, const TRect& R, int Side, int Variant, bool EdgeFlag, bool FixedFrame);
  virtual void DrawHelpButtonBackground(HDC DC, const TRect& R, int State);
  virtual void DrawHelpButtonGlyph(HDC DC, const TRect& R);
  virtual void DrawBarPart65(HDC DC, const TRect& R);
  virtual void DrawBarPart63(HDC DC, const TRect& R);
  // Side 0 the right-hand button, 1 the left-hand one.
  virtual void DrawGroupScrollButton(HDC DC, const TRect& R, int State, int Side);
  virtual void DrawBarPart50(HDC DC, const TRect& R, int State);
  virtual void DrawGalleryScrollButton(HDC DC, const TRect& R, int State, int Kind);
  virtual void DrawLargeButton(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart8(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart7(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart515(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart510(HDC DC, const TRect& R, int State);
  virtual void DrawMDIButton(HDC DC, const TRect& R, int State, int Kind);
  virtual void DrawBarPart430(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart440(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart390(HDC DC, const TRect& R);
  virtual void DrawBarPart370(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart380(HDC DC, const TRect& R);
  virtual void DrawBarPart442(HDC DC, const TRect& R);
  virtual void DrawBarPart400(HDC DC, const TRect& R);
  virtual void DrawBarPart410(HDC DC, const TRect& R);
  virtual void DrawBarPart446(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart30(HDC DC, const TRect& R);
  virtual void DrawBarPart32(HDC DC, const TRect& R);
  virtual void DrawBarPart31(HDC DC, const TRect& R);
  virtual void FillRibbonBackground(HDC DC, const TRect& R);
  virtual void DrawTabAreaBottomLines(HDC, const TRect&) {}
  virtual void DrawCaptionStrip(HDC DC, const TRect& R);
  virtual void DrawSmallButton(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart5(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart4(HDC DC, const TRect& R, int State);
  virtual void DrawBarPart360(HDC DC, const TRect& R);
  virtual void DrawBarPart40(HDC DC, const TRect& R);
  // Tab states 0-4.
  virtual void DrawTab(HDC DC, const TRect& R, int State);
  virtual void DrawGalleryTop(HDC DC, const TRect& R, int State);
  virtual void DrawGalleryBottom(HDC DC, const TRect& R, int State);
  virtual void DrawSpinButtonUp(HDC DC, const TRect& R, int State);
  virtual void DrawSpinButtonDown(HDC DC, const TRect& R, int State);
  virtual void DrawGroupsArea(HDC DC, const TRect& R);
  // Side 0 the right-hand button, 1 the left-hand one.
  virtual void DrawTabScrollButton(HDC DC, const TRect& R, int State, int Side);
  virtual void DrawTabSeparator(HDC DC, const TRect& R, Byte AAlpha);
  virtual void DrawQuickAccessBackground(HDC DC, const TRect& R, bool NotGlass, bool FormActive,
                                         bool HasApplicationButton, bool PaintsFormFrame, bool Below);
  virtual void DrawCommonGlyph(HDC DC, const TRect& R);
  virtual void DrawQuickAccessMark(HDC DC, const TRect& R, int State, bool FormActive, bool PaintsFormFrame,
                                   bool Below);
  virtual void DrawBarPart102(HDC DC, const TRect& R);
  virtual void DrawStatusBarBackground(HDC DC, const TRect& R);
  virtual void DrawStatusBarGripArea(HDC DC, const TRect& R);
  virtual void DrawStatusBarPanel(HDC DC, const TRect& R, bool Flat);
  virtual void DrawStatusBarPanelSeparator(HDC DC, const TRect& R);
  // The three rows of grip dots in R's bottom-right corner, in the colours 10098 (dark) and 10099.
  virtual void DrawStatusBarSizeGrip(HDC DC, const TRect& R);
  virtual void DrawStatusBarToolbarSeparator(HDC DC, const TRect& R);
  virtual TSize ApplicationButtonSize() const { return {42, 42}; }
  virtual int AdjustedValue(int Value) const { return Value; }
  virtual int BeginGroupSize() const { return 2; }
  virtual TColor PartColorOf(int ID, int State);
  virtual TRect GetPartContentOffsets(int /*Part*/) const { return {}; }
  virtual String GetPartName() const { return L""; }
  virtual int QuickAccessLeftIndent(bool /*HasApplicationButton*/, bool /*Glass*/) const { return 0; }
  virtual int QuickAccessMarkOffset(bool /*HasApplicationButton*/, bool Below) const { return Below ? 5 : 12; }
  virtual int QuickAccessOverlap(bool HasApplicationButton, bool /*Glass*/) const { return HasApplicationButton ? 14 : 0; }
  virtual int CaptionTextIndent(bool /*HasApplicationButton*/) const { return 0; }
  virtual TRect GroupsMargins(bool Flag) const { return {4, 0, 4, Flag ? 1 : 4}; }
  virtual int ExtraIndent() const { return 0; }
  virtual bool ScrollButtonsHaveArrows() const { return true; }
  // The ribbon form's frame widths: none without a border; else 4 at the sides and the bottom (1
  // with a status bar, which then draws the thin line) and 0 at the top, which the caption carries.
  virtual TRect FormBorderWidths(TFormBorderStyle BorderStyle, bool HasStatusBar) const;

 protected:
  explicit TdxCustomRibbonSkin(const String& AName);
  // Reads a sheet resource by name and decodes it; raises when it cannot.
  TdxGPImage* LoadSheet(const String& Name);

 private:
  // Adds every set of the group with its parts cut from the image.
  void AddGroup(GpImage* Image, ribbon_skin::TPartGroup Group);
  void AddPartSet(GpImage* Image, const ribbon_skin::TPartSet& Set);
  // Draws the part of a state table for a state; in low colour the table substitute.
  void DrawStateTable(int FirstID, HDC DC, int State, const TRect& R);
  // Draws the part of a state table for a state as it is, low colour or not.
  void DrawTablePart(int FirstID, int State, HDC DC, const TRect& R, Byte AAlpha = 255);
  void DrawTableSubstitute(HDC DC, const TRect& R, int State);
  // The single part of a set, or in low colour R filled with a system colour.
  void DrawPartOrFill(int FirstID, HDC DC, const TRect& R, TColor LowColorFill);
  TColor LowColorPartColor(int ID, int State) const;

  bool lowColor_ = false;
  // Per set of the part table (the slot of its first ID): the list position of each state's part.
  std::vector<std::array<int, 9>> positions_;
};

class TdxBlueRibbonSkin : public TdxCustomRibbonSkin {
  DECLARE_CLASS(TdxBlueRibbonSkin, TdxCustomRibbonSkin)
 public:
  TdxBlueRibbonSkin() : TdxCustomRibbonSkin(L"Blue") {}
  String SchemeName() const override { return L"Blue"; }
  TdxGPImage* LoadColorSheet() override;
  TdxGPImage* LoadFormSheet() override;
  void DrawTabAreaBottomLines(HDC DC, const TRect& R) override;
  TColor PartColorOf(int ID, int State) override;
};

class TdxBlackRibbonSkin : public TdxCustomRibbonSkin {
  DECLARE_CLASS(TdxBlackRibbonSkin, TdxCustomRibbonSkin)
 public:
  TdxBlackRibbonSkin() : TdxCustomRibbonSkin(L"Black") {}
  String SchemeName() const override { return L"Black"; }
  TdxGPImage* LoadColorSheet() override;
  TdxGPImage* LoadFormSheet() override;
  void DrawTabAreaBottomLines(HDC DC, const TRect& R) override;
  TColor PartColorOf(int ID, int State) override;

 protected:
  explicit TdxBlackRibbonSkin(const String& AName) : TdxCustomRibbonSkin(AName) {}
};

class TdxSilverRibbonSkin : public TdxBlackRibbonSkin {
  DECLARE_CLASS(TdxSilverRibbonSkin, TdxBlackRibbonSkin)
 public:
  TdxSilverRibbonSkin() : TdxBlackRibbonSkin(L"Silver") {}
  String SchemeName() const override { return L"Silver"; }
  TdxGPImage* LoadColorSheet() override;
  TdxGPImage* LoadFormSheet() override;
  void DrawTabAreaBottomLines(HDC DC, const TRect& R) override;
  TColor PartColorOf(int ID, int State) override;
};

// A skin of the class, built (AfterConstruction); raises as AfterConstruction does.
template <class TSkin>
TSkin* NewRibbonSkin() {
  ObjectPtr<TSkin> skin(new TSkin());
  skin->AfterConstruction();
  return skin.release();
}

// Reads a sheet resource (RT_RCDATA) by name; the caller frees the stream. Replaceable for tests.
using TRibbonSheetReader = TStream* (*)(const String& Name);
TRibbonSheetReader SetRibbonSheetReader(TRibbonSheetReader Reader);

// The library's unit start and end: the three skins join the bar skin manager when GDI+ is
// available (a skin whose sheet is missing or damaged is left out, with one line of debug output);
// at the end every registered ribbon skin leaves it, the last first, and the manager is freed.
void StartRibbonSkinsUnit();
void EndRibbonSkinsUnit();
