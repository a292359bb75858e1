#pragma once
// TsPanel: the framework's panel with a face drawn from the active skin. The finished face
// (background, border and caption) is kept in a cache bitmap and copied to the screen; the panel's
// graphic children are painted over it, and its children take their background from its cache.

#include "platform/framework/controls/ExtCtrls.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;

using TPaintEvent = TEvent<void(TObject* Sender, TCanvas* Canvas)>;

class TsPanel : public TPanel {
  DECLARE_CLASS(TsPanel, TPanel)
 public:
  explicit TsPanel(TComponent* owner);
  ~TsPanel() override;
  void AfterConstruction() override;
  void Loaded() override;

  TsCommonData* SkinData() const { return skinData_; }
  // Called after the face is drawn, with the canvas that holds it (the cache's while skinned).
  TPaintEvent OnPaint;

  // Copies the face to DC (0: the panel's canvas), rebuilding it first when it is stale.
  virtual void PaintSkinned(HDC dc, bool sendUpdated = true);
  // The caption, one line centred on the height of "W", into R of the cache.
  virtual void WriteCaption(TRect r);
  void BuildCache();

 protected:
  void Paint() override;
  void PaintWindow(HDC dc) override;
  void WndProc(TMessage& message) override;

 private:
  bool HandleOwnSkinCommand(TMessage& message);
  void WMPaint(TMessage& message);
  void WMPrint(TMessage& message);

  TsCommonData* skinData_;
};
