#include "app/Favorites.h"

#include <memory>

#include "app/EffectCalls.h"
#include "app/FavoriteData.h"
#include "app/FavoriteDialog.h"
#include "app/FavoriteEditor.h"
#include "app/MainForm.h"
#include "app/core/Centring.h"
#include "app/core/ParameterList.h"
#include "app/core/TextRoutines.h"
#include "dialogs/FamilyMember.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/editor/AudioEditorInterfaces.h"
#include "platform/audio/editor/AudioEditorTransform.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

using TApplier = void (*)(TMainForm&, const TFavorite&);

struct TApplierRow {
  const wchar_t* Name;
  TApplier Apply;
};

const TApplierRow kAppliers[] = {
    {L"Echo", ApplyFavoriteEcho},
    {L"Vibrato", ApplyFavoriteVibrato},
    {L"Reverb", ApplyFavoriteReverb},
    {L"Amplify", ApplyFavoriteAmplify},
    {L"Fade", ApplyFavoriteFade},
    {L"Normalize", ApplyFavoriteNormalize},
    {L"Compressor", ApplyFavoriteCompressor},
    {L"Chorus", ApplyFavoriteChorus},
    {L"Flanger", ApplyFavoriteFlanger},
    {L"Phaser", ApplyFavoritePhaser},
    {L"Speed Change", ApplyFavoriteSpeedChange},
    {L"Pitch Change", ApplyFavoritePitchChange},
    {L"PeakEQ", ApplyFavoritePeakEQ},
    {L"Notch Filter", ApplyFavoriteNotch},
    {L"Band Pass", ApplyFavoriteBandPass},
    {L"Low Pass", ApplyFavoriteLowPass},
    {L"High Pass", ApplyFavoriteHighPass},
    {L"Low Shelf", ApplyFavoriteLowShelf},
    {L"High Shelf", ApplyFavoriteHighShelf},
    {L"Mix Stereo", ApplyFavoriteMixStereo},
    {L"Invert", ApplyFavoriteInvert},
    {L"Reverse", ApplyFavoriteReverse},
    {L"Noise Reduction", ApplyFavoriteNoiseReduction},
};

void ApplyNamedEffect(TMainForm& Main, const wchar_t* EffectName, const TFavorite& Favorite) {
  ApplyFavoriteEffect(Main, *FindFavoriteEffect(EffectName), Favorite);
}

void ShowError(const String& Text) {
  Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

}  // namespace

// ---- The family routine and the appliers ---------------------------------------------------------

void ApplyFavoriteEffect(TMainForm& Main, const TFavoriteEffect& Effect, const TFavorite& Favorite) {
  Main.StopTransport();
  Main.SelectAllIfEmpty();
  std::array<int, 10> values{};
  if (Effect.ValueCount > 0) {
    const int count = ParseParameterList(Favorite.ParamList);
    if (count < Effect.ValueCount) {
      ShowError(Format(L"The favorite \"%s\" holds %d value(s); the effect \"%s\" needs %d.",
                       {Favorite.Name, count, String(Effect.Name), Effect.ValueCount}));
      return;
    }
    values = FavoriteParams;
    // The dialog opens with the favourite's values, Preview available; its OK stores the controls
    // into the effect's settings, and those are what the transform then takes.
    if (Favorite.ShowDialog) {
      const bool confirmed =
          ExecuteFavoriteDialog(Effect, &Main, std::span<const int>(values.data(), Effect.ValueCount), false,
                                [](TForm&, TFamilyMember& Dialog) { Dialog.StoreToSettings(); }, true);
      if (!confirmed) return;
      values = SettingsValues(Effect, GlobalVars);
    }
  }
  CallTransform(*Main.AudioEditor->Transform(), Effect.Operation, TransformArguments(Effect, values));
  Main.FinishEdit();
}

void ApplyFavoriteEcho(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Echo", Favorite); }
void ApplyFavoriteVibrato(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Vibrato", Favorite);
}
void ApplyFavoriteReverb(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Reverb", Favorite); }
void ApplyFavoriteAmplify(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Amplify", Favorite);
}
void ApplyFavoriteFade(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Fade", Favorite); }
void ApplyFavoriteNormalize(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Normalize", Favorite);
}
void ApplyFavoriteCompressor(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Compressor", Favorite);
}
void ApplyFavoriteChorus(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Chorus", Favorite); }
void ApplyFavoriteFlanger(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Flanger", Favorite);
}
void ApplyFavoritePhaser(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Phaser", Favorite); }
void ApplyFavoriteSpeedChange(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Speed Change", Favorite);
}
void ApplyFavoritePitchChange(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Pitch Change", Favorite);
}
void ApplyFavoritePeakEQ(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"PeakEQ", Favorite); }
void ApplyFavoriteNotch(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Notch Filter", Favorite);
}
void ApplyFavoriteBandPass(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Band Pass", Favorite);
}
void ApplyFavoriteLowPass(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Low Pass", Favorite);
}
void ApplyFavoriteHighPass(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"High Pass", Favorite);
}
void ApplyFavoriteLowShelf(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Low Shelf", Favorite);
}
void ApplyFavoriteHighShelf(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"High Shelf", Favorite);
}
void ApplyFavoriteMixStereo(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Mix Stereo", Favorite);
}
void ApplyFavoriteInvert(TMainForm& Main, const TFavorite& Favorite) { ApplyNamedEffect(Main, L"Invert", Favorite); }
void ApplyFavoriteReverse(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Reverse", Favorite);
}
void ApplyFavoriteNoiseReduction(TMainForm& Main, const TFavorite& Favorite) {
  ApplyNamedEffect(Main, L"Noise Reduction", Favorite);
}

// ---- The main window's part ----------------------------------------------------------------------

void TMainForm::WriteDefaultFavorites() { WriteDefaultFavoriteSections(FavoriteFilePath()); }

void TMainForm::LoadFavorites() {
  if (ActionListFavorite) {
    while (ActionListFavorite->ActionCount() > 0) ActionListFavorite->Actions(0)->Free();
    ActionListFavorite->Free();
  }
  ActionListFavorite = new TActionList(this);
  ActionListFavorite->SetName(L"ActionListFavorite");
  const TFavoriteList favorites = ReadFavoriteFile(FavoriteFilePath());
  for (const ObjectPtr<TFavorite>& favorite : favorites) {
    auto* action = new TAction(this);
    action->SetActionList(ActionListFavorite);
    action->OnExecute = {this, &TMainForm::FavoriteActionExecute};
    action->SetShortCut(TextToShortCut(favorite->ShortCutText));
  }
  RebuildFavoritesMenu();
}

void TMainForm::FavoriteActionExecute(TObject* Sender) {
  const String text = ShortCutToText(static_cast<TAction*>(Sender)->ShortCut());
  for (const ObjectPtr<TFavorite>& favorite : ReadFavoriteFile(FavoriteFilePath())) {
    if (favorite->ShortCutText == text) {
      ApplyFavorite(*favorite);
      return;
    }
  }
}

void TMainForm::dxNavBarFLinkClick(int Position) {
  if (Position < 0) return;
  const TFavoriteList favorites = ReadFavoriteFile(FavoriteFilePath());
  if (Position < static_cast<int>(favorites.size())) ApplyFavorite(*favorites[Position]);
}

void TMainForm::ApplyFavorite(const TFavorite& Favorite) {
  if (!DocumentOpen) {
    ShowError(L"You must choose a file to apply this effect.");
    return;
  }
  if (AudioEditor->Position()->GetLength() <= 0) {
    ShowError(L"Can not apply this effect. The file is empty.");
    return;
  }
  for (const TApplierRow& row : kAppliers) {
    if (Favorite.EffectName == row.Name) {
      row.Apply(*this, Favorite);
      return;
    }
  }
}

void TMainForm::ButtonEditFClick(TObject*) {
  std::unique_ptr<TFavoriteForm> editor(new TFavoriteForm(this));
  CentreOver(editor.get(), this);
  if (editor->ShowModal() != mrOk) return;
  LoadShortcuts();
  LoadFavorites();
}

// The favourite items are only added and hidden, never freed, like the recent-files items.
void TMainForm::RebuildFavoritesMenu() {
  const TFavoriteList favorites = ReadFavoriteFile(FavoriteFilePath());
  while (favoriteMenuItems_.size() < favorites.size()) {
    auto* item = new TMenuItem(this);
    const int position = static_cast<int>(favoriteMenuItems_.size());
    item->OnClick = [this, position](TObject*) { dxNavBarFLinkClick(position); };
    MenuFavorites->Insert(position, item);
    favoriteMenuItems_.push_back(item);
  }
  for (std::size_t i = 0; i < favoriteMenuItems_.size(); ++i) {
    TMenuItem* item = favoriteMenuItems_[i];
    item->SetVisible(i < favorites.size());
    if (i >= favorites.size()) continue;
    const TFavorite& favorite = *favorites[i];
    const String caption = FavoriteCaption(favorite.Name, favorite.ShortCutText);
    item->SetCaption(DoubleAmpersands(caption));
    item->SetHint(FavoriteHint(caption, favorite.ParamList));
  }
}
