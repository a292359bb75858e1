// The drag manager: one drag at a time inside the process. The mouse is captured by a hidden window
// while a drag is pending or running; a pending drag starts once the mouse moves past the threshold.

#include <cstdlib>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/graphics/ImageList.h"

DEFINE_CLASS(TDragObject)
DEFINE_CLASS(TDragControlObject)

namespace {

// What handlers see as the source: the control itself for a control's drag object.
TObject* SourceOf(TDragObject* object) {
  if (auto* control = dynamic_cast<TDragControlObject*>(object)) return control->Control();
  return object;
}

}  // namespace

class TDragManager {
 public:
  static TDragManager& Instance() {
    static TDragManager* manager = new TDragManager;
    return *manager;
  }

  void Begin(TControl* source, bool immediate, int threshold) {
    if (object_) return;
    TDragObject* object = nullptr;
    const std::weak_ptr<void> alive = source->LifeToken();
    source->DoStartDrag(object);
    if (alive.expired()) return;
    ownsObject_ = object == nullptr;
    if (!object) object = new TDragControlObject(source);
    object_ = object;
    source_ = source;
    sourceLife_ = alive;
    started_ = false;
    target_ = nullptr;
    accepted_ = false;
    GetCursorPos(&origin_);
    threshold_ = threshold < 0 ? (Mouse ? Mouse->DragThreshold : 5) : threshold;
    if (!window_) window_ = AllocateHWnd(TWndMethod(this, &TDragManager::WndProc));
    capturing_ = true;
    SetCapture(window_);
    capturing_ = false;
    if (immediate) Start(origin_);
  }

  // Ends the drag: a drop on the accepting target, or a cancel.
  void Finish(bool drop) {
    if (!object_) return;
    TDragObject* object = object_;
    const bool ownsObject = ownsObject_;
    TControl* source = sourceLive() ? source_ : nullptr;
    TControl* target = targetLive() ? target_ : nullptr;
    const bool accepted = drop && started_ && target && accepted_;
    const TPoint pos = object->DragPos;
    if (images_) images_->EndDrag();
    images_ = nullptr;
    object_ = nullptr;
    source_ = nullptr;
    target_ = nullptr;
    if (GetCapture() == window_) ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    TPoint local;
    if (target) {
      local = target->ScreenToClient(pos);
      if (!accepted) {
        bool ignored = false;
        target->DragOver(SourceOf(object), local.x, local.y, dsDragLeave, ignored);
      }
    }
    object->Cancelling = !drop;
    if (accepted) target->DragDrop(SourceOf(object), local.x, local.y);
    if (source && sourceLifeAlive()) source->DoEndDrag(accepted ? target : nullptr, local.x, local.y);
    // The object may free itself here; it is not touched afterwards.
    object->Finished(accepted ? target : nullptr, local.x, local.y, accepted);
    if (ownsObject) delete object;
  }

  TDragObject* Object() const { return object_; }
  TControl* Source() const { return object_ ? source_ : nullptr; }

 private:
  bool sourceLive() const { return !sourceLife_.expired(); }
  bool sourceLifeAlive() const { return !sourceLife_.expired(); }
  bool targetLive() const { return target_ && !targetLife_.expired(); }

  void Start(const TPoint& pos) {
    started_ = true;
    images_ = object_->GetDragImages();
    if (images_ && !(sourceLive() && source_->ControlStyle.Contains(csDisplayDragImage))) images_ = nullptr;
    if (images_ && !images_->BeginDrag(GetDesktopWindow(), pos.x, pos.y)) images_ = nullptr;
    MoveTo(pos);
  }

  void MoveTo(const TPoint& pos) {
    object_->DragPos = pos;
    if (images_) images_->DragMove(pos.x, pos.y);
    TControl* target = FindDragTarget(pos, false);
    TControl* current = targetLive() ? target_ : nullptr;
    if (target != current) {
      if (current) {
        const TPoint local = current->ScreenToClient(pos);
        bool ignored = false;
        current->DragOver(SourceOf(object_), local.x, local.y, dsDragLeave, ignored);
        if (!object_) return;
      }
      target_ = target;
      targetLife_ = target ? target->LifeToken() : std::weak_ptr<void>();
      object_->dragTarget_ = target;
      accepted_ = false;
      if (target) {
        const TPoint local = target->ScreenToClient(pos);
        target->DragOver(SourceOf(object_), local.x, local.y, dsDragEnter, accepted_);
        if (!object_) return;
      }
    } else if (target) {
      const TPoint local = target->ScreenToClient(pos);
      accepted_ = false;
      target->DragOver(SourceOf(object_), local.x, local.y, dsDragMove, accepted_);
      if (!object_) return;
    }
    if (Screen) SetCursor(Screen->Cursors(object_->GetDragCursor(accepted_, pos.x, pos.y)));
  }

  void WndProc(TMessage& Message) {
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (object_) {
          POINT pos{Message.XPos(), Message.YPos()};
          ClientToScreen(window_, &pos);
          if (!started_) {
            if (std::abs(pos.x - origin_.x) >= threshold_ || std::abs(pos.y - origin_.y) >= threshold_) Start(pos);
          } else {
            MoveTo(pos);
          }
        }
        return;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (object_) {
          POINT pos{Message.XPos(), Message.YPos()};
          ClientToScreen(window_, &pos);
          if (started_) MoveTo(pos);
          Finish(started_);
        }
        return;
      case WM_CAPTURECHANGED:
        // Losing the capture cancels, unless the capture is being set right now.
        if (object_ && !capturing_ && reinterpret_cast<HWND>(Message.LParam) != window_) Finish(false);
        return;
      case WM_KEYDOWN:
        if (Message.WParam == VK_ESCAPE) Finish(false);
        return;
      default:
        DefaultWindowMessage(window_, Message);
    }
  }

  HWND window_ = nullptr;
  TDragObject* object_ = nullptr;
  TDragImageList* images_ = nullptr;
  bool ownsObject_ = false;
  TControl* source_ = nullptr;
  std::weak_ptr<void> sourceLife_;
  TControl* target_ = nullptr;
  std::weak_ptr<void> targetLife_;
  bool accepted_ = false;
  bool started_ = false;
  bool capturing_ = false;
  POINT origin_{};
  int threshold_ = 5;
};

TDragObject* CurrentDragObject() { return TDragManager::Instance().Object(); }
TControl* CurrentDragControl() { return TDragManager::Instance().Source(); }
void CancelDrag() { TDragManager::Instance().Finish(false); }

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted ? control_->DragCursor : crNoDrop;
}

TDragImageList* TDragControlObject::GetDragImages() { return control_->GetDragImages(); }

void TDragControlObject::Finished(TObject*, int, int, bool) {}

// ---- TControl's side -----------------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) {
  TDragManager::Instance().Begin(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) TDragManager::Instance().Finish(Drop);
}

bool TControl::Dragging() const { return TDragManager::Instance().Source() == this; }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}
