#include "ui/bars/painters/Fader.h"

#include <algorithm>

DEFINE_CLASS(TdxFadingElement)
DEFINE_CLASS(TdxFadingList)
DEFINE_CLASS(TdxFader)

namespace {

int ValidFrames(int Frames) {
  if (Frames < 0) return dxFadeDefaultFrames;
  return std::min(Frames, dxFadeMaxFrames);
}

int ValidInterval(int Interval) {
  if (Interval < dxFadeMinInterval) return dxFadeDefaultInterval;
  return std::min(Interval, dxFadeMaxInterval);
}

}  // namespace

// ---- TdxFadingElement ---------------------------------------------------------------------------

TdxFadingElement::TdxFadingElement(TdxFadingList* List, int Direction, TObject* Target)
    : target_(Target), list_(List), direction_(Direction) {
  fadingObject_ = Supports<IdxFadingObject>(Target);
  if (fadingObject_) fadingObject_->_AddRef();
  LoadParams();
  CreateTimer();
}

TdxFadingElement::~TdxFadingElement() {
  timer_.reset();
  if (list_ && !list_->Clearing()) list_->Remove(this);
  if (fadingObject_) fadingObject_->_Release();
}

void TdxFadingElement::LoadParams() {
  fadeInFrames_ = fadeOutFrames_ = dxFadeDefaultFrames;
  fadeInInterval_ = fadeOutInterval_ = dxFadeDefaultInterval;
  if (!fadingObject_) return;
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  fadingObject_->GetFadingParams(normal, hot, fadeInFrames_, fadeInInterval_, fadeOutFrames_, fadeOutInterval_);
  normalImage_.reset(normal);
  hotImage_.reset(hot);
  fadeInFrames_ = ValidFrames(fadeInFrames_);
  fadeOutFrames_ = ValidFrames(fadeOutFrames_);
  fadeInInterval_ = ValidInterval(fadeInInterval_);
  fadeOutInterval_ = ValidInterval(fadeOutInterval_);
}

bool TdxFadingElement::HasPictures() const {
  return normalImage_ && hotImage_ && !normalImage_->Empty() && normalImage_->Width() == hotImage_->Width() &&
         normalImage_->Height() == hotImage_->Height();
}

void TdxFadingElement::CreateTimer() {
  timer_ = std::make_unique<TcxTimer>(nullptr);
  timer_->SetInterval(static_cast<UINT>(IntervalOf(direction_)));
  timer_->SetOnTimer({this, &TdxFadingElement::TimerTick});
  timer_->SetEnabled(true);
}

int TdxFadingElement::CurrentAlpha() const {
  const int n = FramesOf(direction_);
  if (direction_ == 0) return step_ < n ? std::min(255, step_ * (256 / n)) : 255;
  return step_ < n ? std::max(0, 255 - step_ * (256 / n)) : 0;
}

void TdxFadingElement::TimerTick(TObject*) {
  if (step_ >= FramesOf(direction_)) {
    Finish();
    return;
  }
  ++step_;
  DrawStep(CurrentAlpha());
}

void TdxFadingElement::DrawStep(int Alpha) {
  if (!HasPictures() || !fadingObject_) return;
  TBitmap frame(normalImage_->Width(), normalImage_->Height());
  BlendFadeFrame(&frame, normalImage_.get(), hotImage_.get(), static_cast<Byte>(Alpha));
  fadingObject_->DrawFadeImage(&frame);
}

void TdxFadingElement::Finish() {
  // The element goes even when drawing the end picture raises.
  std::unique_ptr<TdxFadingElement> self(this);
  if (fadingObject_ && HasPictures()) fadingObject_->DrawFadeImage(direction_ == 0 ? hotImage_.get() : normalImage_.get());
}

void TdxFadingElement::SetDirection(int NewDirection) {
  if (NewDirection == direction_) return;
  const int alpha = CurrentAlpha();
  const int n = FramesOf(NewDirection);
  // A fade-out counts its steps from the hot end, a fade-in from the normal end.
  const int distance = NewDirection == 0 ? alpha : 255 - alpha;
  step_ = std::min(n, distance / (256 / (n + 1)));
  direction_ = NewDirection;
  timer_->SetEnabled(false);
  timer_->SetInterval(static_cast<UINT>(IntervalOf(direction_)));
  timer_->SetEnabled(true);
}

// ---- TdxFadingList ------------------------------------------------------------------------------

TdxFadingList::~TdxFadingList() { Clear(); }

void TdxFadingList::Clear() {
  clearing_ = true;
  try {
    for (int i = 0; i < Count(); ++i) delete Element(i);
  } catch (...) {
    clearing_ = false;
    throw;
  }
  clearing_ = false;
  TList::Clear();
}

// ---- TdxFader -----------------------------------------------------------------------------------

TdxFader::TdxFader() : list_(std::make_unique<TdxFadingList>()) {}

TdxFader::~TdxFader() {
  try {
    CompleteAll();
  } catch (...) {
  }
  list_.reset();
}

void TdxFader::FadeObject(TObject* Obj, int Direction) {
  IdxFadingObject* fading = Supports<IdxFadingObject>(Obj);
  if (!fading || !fading->CanFade()) return;
  if (TdxFadingElement* running = ElementOf(Obj)) {
    running->SetDirection(Direction);
    return;
  }
  auto element = std::make_unique<TdxFadingElement>(list_.get(), Direction, Obj);
  // An element that gave no pictures, or two of different sizes, is not faded.
  if (!element->HasPictures()) return;
  list_->Add(element.release());
  TrimToMaxCount();
}

TdxFadingElement* TdxFader::ElementOf(TObject* Obj) const {
  for (int i = 0; i < list_->Count(); ++i)
    if (list_->Element(i)->Target() == Obj) return list_->Element(i);
  return nullptr;
}

void TdxFader::StopObjectFading(TObject* Obj, bool Discard) {
  TdxFadingElement* element = ElementOf(Obj);
  if (!element) return;
  if (Discard)
    delete element;
  else
    element->Finish();
}

void TdxFader::CompleteAll() {
  while (list_->Count() > 0) list_->Element(0)->Finish();
}

void TdxFader::TrimToMaxCount() {
  while (list_->Count() > maxFadingCount_) list_->Element(0)->Finish();
}
