#pragma once
// TApplicationEvents: a component that hears the application's dispatched messages. Every
// instance's OnMessage is offered each message the application's loop takes, in the order the
// instances were created, until one handles it (after the application's own OnMessage).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/windows/Forms.h"

class TApplicationEvents : public TComponent {
  DECLARE_CLASS(TApplicationEvents, TComponent)
 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;

  TMessageEvent OnMessage;
};

// Offers the message to every instance in creation order; true once one handled it.
bool DispatchApplicationEventsMessage(MSG& Msg);
