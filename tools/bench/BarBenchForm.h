#pragma once
// The form the bar benchmarks measure on: a shown 1296-pixel-wide form (a 1280-pixel dock site inside
// it) with a named bar manager of the given style.

#include "TimingLoop.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarManager.h"

struct TBarBenchForm {
  TForm* Form;
  TdxBarManager* Manager;
};

inline TBarBenchForm ShowBarBenchForm(TdxBarManagerStyle Style) {
  auto* form = new TForm(nullptr, 0);
  form->SetName(L"BenchForm");
  auto* manager = new TdxBarManager(form);
  manager->SetName(L"BarManager");
  manager->SetStyle(Style);
  form->SetBounds(0, 0, 1296, 200);
  form->Show();
  timing::ProcessMessages();
  return {form, manager};
}
