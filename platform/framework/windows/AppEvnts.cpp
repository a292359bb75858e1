#include "platform/framework/windows/AppEvnts.h"

#include <algorithm>
#include <vector>

DEFINE_CLASS(TApplicationEvents)

namespace {

std::vector<TApplicationEvents*>& Instances() {
  static std::vector<TApplicationEvents*> instances;
  return instances;
}

}  // namespace

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) { Instances().push_back(this); }

TApplicationEvents::~TApplicationEvents() {
  auto& instances = Instances();
  instances.erase(std::remove(instances.begin(), instances.end(), this), instances.end());
}

bool DispatchApplicationEventsMessage(MSG& Msg) {
  // A handler may free instances (its own or others'): walk a copy and skip the ones gone.
  const std::vector<TApplicationEvents*> snapshot = Instances();
  for (TApplicationEvents* events : snapshot) {
    const auto& live = Instances();
    if (std::find(live.begin(), live.end(), events) == live.end() || !events->OnMessage) continue;
    bool handled = false;
    events->OnMessage(Msg, handled);
    if (handled) return true;
  }
  return false;
}
