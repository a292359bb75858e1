// The main window's command enabling: at every idle update the facts are read again and the whole
// table applied. Setting an unchanged enabled state costs a comparison (the action and the control
// both return early), so a pass is cheap although the framework runs it once per action.

#include "app/CommandFacts.h"
#include "app/MainForm.h"
#include "platform/framework/controls/Buttons.h"

namespace {

using F = TCommandFact;

// One row: the fact that enables an action, a transport-panel button or the menu item of a ribbon
// button without an action.
struct TEnablingRow {
  TCommandFact Fact;
  TAction* TMainForm::*Action;
  TsSpeedButton* TMainForm::*Button;
  TMenuItem* TMainForm::*Item;
};

constexpr TEnablingRow Row(TCommandFact Fact, TAction* TMainForm::*Action) {
  return {Fact, Action, nullptr, nullptr};
}
constexpr TEnablingRow Row(TCommandFact Fact, TsSpeedButton* TMainForm::*Button) {
  return {Fact, nullptr, Button, nullptr};
}
constexpr TEnablingRow Row(TCommandFact Fact, TMenuItem* TMainForm::*Item) { return {Fact, nullptr, nullptr, Item}; }

// In the order the pass sets them. Commands that come with later dialogs and windows add their rows
// at their places.
const TEnablingRow kEnablingRows[] = {
    Row(F::FileName, &TMainForm::ActionSaveFile),
    Row(F::Audio, &TMainForm::ActionSaveAs),
    Row(F::Document, &TMainForm::ActionCloseFile),
    Row(F::Document, &TMainForm::ActionConvertSampleRate),
    Row(F::Document, &TMainForm::ActionEditID3),
    Row(F::CanUndo, &TMainForm::ActionUndo),
    Row(F::CanRedo, &TMainForm::ActionRedo),
    Row(F::Selected, &TMainForm::ActionCut),
    Row(F::Selected, &TMainForm::ActionCopy),
    Row(F::Selected, &TMainForm::ActionCopyToNew),
    Row(F::Clipboard, &TMainForm::ActionPaste),
    Row(F::Selected, &TMainForm::ActionDelete),
    Row(F::Audio, &TMainForm::ActionSelectAll),
    Row(F::Audio, &TMainForm::ActionSelectToStart),
    Row(F::Audio, &TMainForm::ActionSelectToEnd),
    Row(F::Audio, &TMainForm::ActionSelectSpecifiedTime),
    Row(F::Document, &TMainForm::ActionMixFile),
    Row(F::Selected, &TMainForm::ActionRepeatLoop),
    Row(F::Clipboard, &TMainForm::ActionPasteMix),
    Row(F::Selected, &TMainForm::ActionTrim),
    Row(F::Audio, &TMainForm::ActionTrimStart),
    Row(F::Audio, &TMainForm::ActionTrimEnd),
    Row(F::Selected, &TMainForm::ActionSilenceSelect),
    Row(F::Selected, &TMainForm::ActionSaveSelect),
    Row(F::Document, &TMainForm::ActionInsertSilenceBegin),
    Row(F::Document, &TMainForm::ActionInsertSilenceCurrent),
    Row(F::Document, &TMainForm::ActionInsertSilenceEnd),
    Row(F::Document, &TMainForm::ActionInsertFileBegin),
    Row(F::Document, &TMainForm::ActionInsertFileCurrent),
    Row(F::Document, &TMainForm::ActionInsertFileEnd),
    Row(F::Audio, &TMainForm::ActionAmplify),
    Row(F::Audio, &TMainForm::ActionNormalize),
    Row(F::Audio, &TMainForm::ActionDynamicRangeCompressor),
    Row(F::Audio, &TMainForm::ActionHighPass),
    Row(F::Audio, &TMainForm::ActionEqualizer),
    Row(F::Audio, &TMainForm::ActionEcho),
    Row(F::Audio, &TMainForm::ActionReverb),
    Row(F::Audio, &TMainForm::ActionReverse),
    Row(F::Selected, &TMainForm::ActionFadeIn),
    Row(F::Selected, &TMainForm::ActionFadeOut),
    Row(F::Selected, &TMainForm::ActionFadeOutAndTrim),
    Row(F::Selected, &TMainForm::ActionCrossFade),
    Row(F::Audio, &TMainForm::ActionEnvelope),
    Row(F::Audio, &TMainForm::ActionMixStereo),
    Row(F::Audio, &TMainForm::ActionNoiseReduction),
    Row(F::Audio, &TMainForm::ActionSpeedChange),
    Row(F::Audio, &TMainForm::ActionPitchChange),
    Row(F::Audio, &TMainForm::ActionPhaser),
    Row(F::Audio, &TMainForm::ActionFlanger),
    Row(F::Audio, &TMainForm::ActionChorus),
    // The ribbon's effect buttons without an action, on their menu items until the ribbon exists.
    Row(F::Audio, &TMainForm::MenuItemCassetteNoiseReduction),
    Row(F::Audio, &TMainForm::MenuItemVoiceBreathNoiseReduction),
    Row(F::Audio, &TMainForm::MenuItemVibrato),
    Row(F::Audio, &TMainForm::MenuItemPeakEQ),
    Row(F::Audio, &TMainForm::MenuItemNotchFilter),
    Row(F::Audio, &TMainForm::MenuItemBandPass),
    Row(F::Audio, &TMainForm::MenuItemLowPass),
    Row(F::Audio, &TMainForm::MenuItemLowShelf),
    Row(F::Audio, &TMainForm::MenuItemHighShelf),
    Row(F::Audio, &TMainForm::MenuItemInvert),
    Row(F::Audio, &TMainForm::ActionSetBookmark),
    Row(F::Audio, &TMainForm::ActionOpenBookmarkList),
    Row(F::Selected, &TMainForm::ActionAddRegion),
    Row(F::Selected, &TMainForm::ActionOpenRegionList),
    Row(F::Document, &TMainForm::ActionWaveformMode),
    Row(F::Document, &TMainForm::ActionSpectralMode),
    Row(F::Document, &TMainForm::ActionHorizontalFormatDecimcal),
    Row(F::Document, &TMainForm::ActionHorizontalFormatSample),
    Row(F::Document, &TMainForm::ActionHorizontalFormatVisible),
    Row(F::Document, &TMainForm::ActionVerticalFormatSample),
    Row(F::Document, &TMainForm::ActionVerticalFormatNormalized),
    Row(F::Document, &TMainForm::ActionVerticalFormatDecibel),
    Row(F::Document, &TMainForm::ActionVerticalFormatVisiable),
    Row(F::Audio, &TMainForm::ActionPlay),
    Row(F::Audio, &TMainForm::ActionPlayToEnd),
    Row(F::Selected, &TMainForm::ActionLoopPlay),
    Row(F::Audio, &TMainForm::ActionPause),
    Row(F::Audio, &TMainForm::ActionStop),
    Row(F::Audio, &TMainForm::ActionStart),
    Row(F::Audio, &TMainForm::ActionRewind),
    Row(F::Audio, &TMainForm::ActionForword),
    Row(F::Audio, &TMainForm::ActionEnd),
    Row(F::Audio, &TMainForm::ActionPlayAndPause),
    Row(F::Audio, &TMainForm::ButtonStart),
    Row(F::Audio, &TMainForm::ButtonRewind),
    Row(F::Audio, &TMainForm::ButtonPlay),
    Row(F::Audio, &TMainForm::ButtonStop),
    Row(F::Audio, &TMainForm::ButtonPause),
    Row(F::Audio, &TMainForm::ButtonForword),
    Row(F::Audio, &TMainForm::ButtonEnd),
    Row(F::Audio, &TMainForm::ButtonPlayToEnd),
    Row(F::Audio, &TMainForm::ButtonLoopPlay),
    Row(F::Audio, &TMainForm::ActionZoomIn),
    Row(F::Audio, &TMainForm::ActionZoomOut),
    Row(F::Selected, &TMainForm::ActionZoomToSelection),
    Row(F::Audio, &TMainForm::ActionZoomFull),
    Row(F::Document, &TMainForm::ActionVerticalZoomIn),
    Row(F::Document, &TMainForm::ActionVerticalZoomOut),
    Row(F::Audio, &TMainForm::ActionZoomToRight),
    Row(F::Audio, &TMainForm::ActionZoomToLeft),
    Row(F::Audio, &TMainForm::ActionFrequencyAnalysis),
};

}  // namespace

void TMainForm::UpdateCommandStates() {
  const TCommandFacts facts = ReadCommandFacts(DocumentOpen, DocumentPath, ClipboardFilled, *AudioEditor);
  for (const TEnablingRow& row : kEnablingRows) {
    const bool enabled = FactHolds(facts, row.Fact);
    if (row.Action)
      (this->*row.Action)->SetEnabled(enabled);
    else if (row.Button)
      (this->*row.Button)->SetEnabled(enabled);
    else
      (this->*row.Item)->SetEnabled(enabled);
  }
}

// Not marked handled: the framework's own update of the action still follows.
void TMainForm::ActionListUpdate(TBasicAction*, bool&) { UpdateCommandStates(); }
