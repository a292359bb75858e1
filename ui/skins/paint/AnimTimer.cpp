#include "ui/skins/paint/AnimTimer.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"

DEFINE_CLASS(TsAnimTimer)

namespace {

bool IsDestroying(const TComponent* component) {
  return component && component->ComponentState().Contains(csDestroying);
}

}  // namespace

int FadeWeight(int level, int iterations) {
  if (iterations == 0) return 255;
  return std::clamp(255 - level * 256 / iterations, 0, 255);
}

bool EventAnimates(int event, TacAnimatEvents events) {
  if (event < 0 || event > 7) return false;
  auto item = static_cast<TacAnimatEvent>(event);
  if (events.Contains(item)) return true;
  return events.Contains(aeGlobalDef) && AnimatedEvents.Contains(item);
}

TsAnimTimer::TsAnimTimer(TComponent* owner)
    : TTimer(owner), SourceBmp(CreateBmp24(0, 0)), TmpBmp(CreateBmp24(0, 0)) {
  SetEnabled(false);
  // The framework's timer runs only while a handler is set; the work is done in Timer.
  SetOnTimer(TNotifyEvent([](TObject*) {}));
}

TsAnimTimer::~TsAnimTimer() {
  SourceBmp->Free();
  TmpBmp->Free();
}

void TsAnimTimer::BindTo(TsCommonData* skinData) {
  OwnerData = skinData;
  SetInterval(10);
  const TsGeneralData* section = skinData ? skinData->Section() : nullptr;
  Iterations = section ? section->FadingIterations : 0;
}

bool TsAnimTimer::Finished() {
  TControl* owner = OwnerData ? OwnerData->OwnerControl() : nullptr;
  if (IsDestroying(this) || !owner || IsDestroying(owner) || (Application && Application->Terminated())) return true;
  if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
  owner->Perform(SM_ALPHACMD, SkinCommandWParam(scStopFading), 0);
  return true;
}

void TsAnimTimer::Timer() {
  if (IsDestroying(this) || Finished()) return;
  Step();
}

void TsAnimTimer::Step() {
  TControl* owner = OwnerData ? OwnerData->OwnerControl() : nullptr;
  if (InProgress || !owner || IsDestroying(owner) || Iterations == 0 || FadeLevel < 0) {
    ++FadeLevel;
    return;
  }
  InProgress = true;
  struct TStepEnd {
    TsAnimTimer* Timer;
    ~TStepEnd() {
      ++Timer->FadeLevel;
      Timer->InProgress = false;
    }
  } end{this};
  int weight = FadeWeight(FadeLevel, Iterations);
  TmpBmp->Assign(SourceBmp);
  if (TmpBmp->PixelFormat() != pf24bit) TmpBmp->SetPixelFormat(pf24bit);
  SumBitmaps(TmpBmp, OwnerData->CacheBmp, weight);
  ShowStep();
  if (TOutputWindow* overlay = FadeOverlay(); overlay && overlay->HandleAllocated())
    SendSkinCommand(overlay->Handle(), scRefresh, nullptr);
}

void TsAnimTimer::ShowStep() {
  TControl* owner = OwnerData->OwnerControl();
  TWinControl* parent = owner->Parent();
  if (parent && parent->HandleAllocated())
    SendMessageW(parent->Handle(), SM_ALPHACMD, SkinCommandWParam(scSetPaintedChild), reinterpret_cast<LPARAM>(owner));
  owner->Perform(SM_ALPHACMD, SkinCommandWParam(scSetUpdating, 0), 0);
  owner->Repaint();
  if (parent && parent->HandleAllocated())
    SendMessageW(parent->Handle(), SM_ALPHACMD, SkinCommandWParam(scSetPaintedChild), 0);
}
