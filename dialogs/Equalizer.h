#pragma once
// TEqualizerForm ("Equalizer"): the gains of the twelve-band graphic equalizer in tenths of a dB,
// lowest band first, on vertical sliders without edits; double clicks on the scale labels set every
// band at once. A member of the parameter dialog family (ParameterDialog.h) without an OK handler.

#include <array>

#include "dialogs/FamilyMember.h"

class TEqualizerForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TEqualizerForm, TForm)
 public:
  explicit TEqualizerForm(TComponent* AOwner);

  TGroupBox* GroupBoxEqualizer = nullptr;
  TImageSlider *Band1 = nullptr, *Band2 = nullptr, *Band3 = nullptr, *Band4 = nullptr, *Band5 = nullptr,
               *Band6 = nullptr, *Band7 = nullptr, *Band8 = nullptr, *Band9 = nullptr, *Band10 = nullptr,
               *Band11 = nullptr, *Band12 = nullptr;
  std::array<TLabel*, 12> LabelBands{};
  TLabel* Label18dB = nullptr;
  TLabel* Label10dB = nullptr;
  TLabel* Label18dB2 = nullptr;
  TGroupBox* GroupBoxSelectPresets = nullptr;

  // Band n (1 ... 12).
  TImageSlider* Band(int n) const { return family_.Controls(n - 1).Slider; }

  void Label18dBDblClick(TObject* Sender);
  void Label10dBDblClick(TObject* Sender);
  void Label18dB2DblClick(TObject* Sender);
};
