// The commands that open the format, document and edit dialogs, on the real main window: the save
// routine's format dialog, the export dialog's "Format Settings", New File's prompt, sample-rate
// conversion, tags, options, Select Specified Time, Insert Silence, Repeat Loop, Mix File and Paste
// Mix, their enabling rows and their menu places.

#include <functional>
#include <vector>

#include "app/ExportRegion.h"
#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/EditID3.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/InsertSilence.h"
#include "dialogs/NewFile.h"
#include "dialogs/Options.h"
#include "dialogs/PasteMix.h"
#include "dialogs/RepeatLoop.h"
#include "dialogs/SelectTime.h"
#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/windows/ShortCuts.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/WavFixture.h"
#include "tests/support/WindowTestSupport.h"

namespace {

std::vector<String> Matching(const std::vector<String>& calls, const wchar_t* part) {
  std::vector<String> found;
  for (const String& call : calls)
    if (call.find(part) != String::npos) found.push_back(call);
  return found;
}

// The audio calls a piece of work makes.
std::vector<String> CallsOf(const std::function<void()>& work) {
  AudioCallLog::Enable(true);
  AudioCallLog::Clear();
  work();
  std::vector<String> calls = AudioCallLog::Lines();
  AudioCallLog::Enable(false);
  return calls;
}

bool AllZero(const std::vector<float>& values) {
  for (float v : values)
    if (v != 0.0f) return false;
  return true;
}

class CommandsDialogsTest : public CommandsTest {
 protected:
  // The next modal form must be a T; the script works on it.
  template <class T>
  void OnNext(std::function<void(T&)> script) {
    OnNextModalForm([script](TCustomForm* modal) {
      auto* dialog = dynamic_cast<T*>(modal);
      if (!dialog) {
        ADD_FAILURE() << "another modal form";
        return;
      }
      script(*dialog);
    });
  }
  // The number of modal loops run by the work (the scripts queued are used up first).
  int ModalLoopsOf(const std::function<void()>& work) {
    int loops = 0;
    const TModalScript previous = SetModalDriver([&](const TModalLoop& loop) {
      ++loops;
      loop.End();
    });
    work();
    SetModalDriver(previous);
    return loops;
  }
};

// ---- Saving through the format dialogs --------------------------------------------------------------

TEST_F(CommandsDialogsTest, SaveAsShowsTheFormatDialogOfTheExtension) {
  struct Case {
    const wchar_t* name;
    const wchar_t* dialogClass;
    const wchar_t* setUp;
    int fileType;
  } cases[] = {
      {L"out.wav", L"TWaveFormatForm", L"SetWaveFormat", 1},
      {L"out.mp3", L"TMp3FormatForm", L"SetMp3Encoder", 2},
      {L"out.ogg", L"TOGGFormatForm", L"SetOggFormat", 6},
      {L"out.wma", L"TWMAFormatForm", L"SetWmaProfile", 11},
  };
  OpenPattern(L"song.wav", 4000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialogClass);
    form->SetModified(true);
    const String path = form->DocumentPath;
    const String name = form->DocumentName();
    const std::vector<String> recent = form->RecentFiles.Items();
    const String target = scratch.File(c.name);

    // Cancel: false, and path, name, recent files and the modified state as they were.
    String shown;
    OnNextModalForm([&](TCustomForm* modal) {
      shown = modal->ClassName();
      modal->ModalResult = mrCancel;
    });
    dialogFiles = {target};
    std::vector<String> calls = CallsOf([&] { EXPECT_FALSE(form->SaveAudioFile(true, false)); });
    EXPECT_EQ(shown, c.dialogClass);
    EXPECT_TRUE(Matching(calls, L"SaveRangeAs").empty());
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(form->DocumentPath, path);
    EXPECT_EQ(form->DocumentName(), name);
    EXPECT_EQ(form->RecentFiles.Items(), recent);
    EXPECT_TRUE(form->IsModified());

    // OK: the format's set-up, then the write of the whole document.
    AcceptNextModalForm();
    dialogFiles = {target};
    boxes.clear();
    calls = CallsOf([&] { form->SaveAudioFile(true, false); });
    const std::vector<String> setUp = Matching(calls, c.setUp);
    const std::vector<String> saves = Matching(calls, L"SaveRangeAs");
    ASSERT_FALSE(setUp.empty());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0], L"TAudioEditor2.SaveRangeAs(" + target + L", 0, " + std::to_wstring(c.fileType) + L")");
    if (c.fileType == 11 && !FileExists(target)) {
      // A system without the WMA encoder (Wine): its message, and nothing written or renamed.
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].Text, kWmaEncoderMissing);
      EXPECT_EQ(form->DocumentPath, path);
      continue;
    }
    EXPECT_TRUE(FileExists(target));
    EXPECT_EQ(form->DocumentPath, target);
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->RecentFiles.Items().front(), target);
  }
}

TEST_F(CommandsDialogsTest, SaveFileOnAnMp3DocumentStoresTheDialogsChoiceBeforeTheSetUp) {
  OpenPattern(L"song.wav", 4000);
  const String target = scratch.File(L"low.mp3");
  OnNext<TOutputFormatForm>([](TOutputFormatForm& dialog) {
    dialog.ImageSliderPreset->SetValue(0);  // "Phone Quality"
    dialog.ButtonOK->Click();
  });
  dialogFiles = {target};
  const std::vector<String> calls = CallsOf([&] { EXPECT_TRUE(form->SaveAudioFile(true, false)); });
  EXPECT_EQ(GlobalVars.OutputMP3Presets, 0);
  EXPECT_EQ(Matching(calls, L"SetMp3Encoder").size(), 1u);
  EXPECT_EQ(form->LameEnc.Config().SampleRate, 8000) << "preset number 1";
  EXPECT_EQ(form->LameEnc.Config().Channels, 1);
  // Save File on the same name shows the dialog again, filled from the record.
  int shownPreset = -1;
  OnNext<TOutputFormatForm>([&](TOutputFormatForm& dialog) {
    shownPreset = dialog.ImageSliderPreset->Value();
    dialog.ModalResult = mrCancel;
  });
  form->ActionSaveFileExecute(form);
  EXPECT_EQ(shownPreset, 0);
}

TEST_F(CommandsDialogsTest, ExportFormatSettingsOpensTheChosenFormatsDialogOverTheExportDialog) {
  OpenPattern(L"song.wav", 4000);
  ObjectPtr<TExportRegionForm> exportDialog(new TExportRegionForm(form));
  exportDialog->SetBounds(200, 150, exportDialog->Width(), exportDialog->Height());
  EXPECT_TRUE(exportDialog->ButtonFormatSettings->Enabled());
  const wchar_t* classes[] = {L"TWaveFormatForm", L"TMp3FormatForm", L"TOGGFormatForm", L"TWMAFormatForm"};
  for (int index = 0; index < 4; ++index) {
    exportDialog->ComboBoxFormat->SetItemIndex(index);
    String shown;
    TComponent* owner = nullptr;
    TRect bounds;
    OnNextModalForm([&](TCustomForm* modal) {
      shown = modal->ClassName();
      owner = modal->Owner();
      bounds = modal->BoundsRect();
      modal->ModalResult = mrOk;
    });
    exportDialog->ButtonFormatSettings->Click();
    EXPECT_EQ(shown, classes[index]);
    EXPECT_EQ(owner, exportDialog.get());
    EXPECT_EQ(bounds.left, CentredStart(200, exportDialog->Width(), bounds.Width()));
    EXPECT_EQ(bounds.top, CentredStart(150, exportDialog->Height(), bounds.Height()));
  }
  exportDialog->ComboBoxFormat->SetItemIndex(-1);
  EXPECT_EQ(ModalLoopsOf([&] { exportDialog->ButtonFormatSettings->Click(); }), 0);
}

// ---- New File, conversion, tags, options ------------------------------------------------------------

TEST_F(CommandsDialogsTest, NewFileAsksForRateAndChannelsAndStoresTheChoice) {
  GlobalVars.OP_PromptNewFile = true;
  GlobalVars.DefNewFileSampleRate = 9;
  GlobalVars.DefNewFileChannels = 1;
  OnNext<TNewFileForm>([](TNewFileForm& dialog) {
    EXPECT_EQ(dialog.cbSampleRate->Text(), L"11,025");
    EXPECT_TRUE(dialog.rbMono->Checked());
    dialog.cbSampleRate->SetItemIndex(10);  // 8,000
    dialog.rbStereo->SetChecked(true);
    dialog.ButtonOK->Click();
  });
  form->ActionNewFileExecute(form);
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 8000);
  EXPECT_EQ(Editor().FileInfo()->GetChannels(), 2);
  EXPECT_EQ(GlobalVars.DefNewFileSampleRate, 10);
  EXPECT_EQ(GlobalVars.DefNewFileChannels, 0);

  // A stored index outside the list starts at 44,100, and OK stores that index.
  GlobalVars.DefNewFileSampleRate = 200;
  String shown;
  OnNext<TNewFileForm>([&](TNewFileForm& dialog) {
    shown = dialog.cbSampleRate->Text();
    dialog.ButtonOK->Click();
  });
  form->ActionNewFileExecute(form);
  EXPECT_EQ(shown, L"44,100");
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 44100);
  EXPECT_EQ(GlobalVars.DefNewFileSampleRate, 3);

  // Cancel ends the command: the open document stays.
  const String song = OpenPattern(L"song.wav", 4000);
  OnNext<TNewFileForm>([](TNewFileForm& dialog) { dialog.ButtonCancel->Click(); });
  form->ActionNewFileExecute(form);
  EXPECT_EQ(form->DocumentPath, song);
  EXPECT_EQ(Length(), 4000);
}

TEST_F(CommandsDialogsTest, ConvertPreselectsTheDocumentsFormatAndConverts) {
  OpenPattern(L"odd.wav", 2400, 24000, 2);
  OnNext<TConvertSampleRateForm>([](TConvertSampleRateForm& dialog) {
    EXPECT_EQ(dialog.ComboBoxRate->Text(), L"44100 Hz");
    EXPECT_EQ(dialog.GroupBoxSChannels->ItemIndex(), 1);
    dialog.ButtonOK->Click();
  });
  const std::vector<String> calls = CallsOf([&] { form->ActionConvertSampleRateExecute(form); });
  EXPECT_EQ(Matching(calls, L"ConvertSampleRate"), std::vector<String>{L"TAudioEditor2.ConvertSampleRate(44100, 2)"});
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 44100);

  OpenPattern(L"mono.wav", 2205, 22050, 1);
  OnNext<TConvertSampleRateForm>([](TConvertSampleRateForm& dialog) {
    EXPECT_EQ(dialog.ComboBoxRate->Text(), L"22050 Hz");
    EXPECT_EQ(dialog.GroupBoxSChannels->ItemIndex(), 0);
    dialog.ButtonCancel->Click();
  });
  EXPECT_TRUE(Matching(CallsOf([&] { form->ActionConvertSampleRateExecute(form); }), L"ConvertSampleRate").empty());
  EXPECT_FALSE(form->IsModified());
}

TEST_F(CommandsDialogsTest, EditID3ShowsTheTagsAndWritesThemBackOrNothing) {
  OpenPattern(L"song.wav", 4000);
  IAudioEditor2FileInfo* info = Editor().FileInfo();
  info->SetTitle(L"Old");
  info->SetGenre(17);
  info->SetYear(1999);
  OnNext<TEditID3Form>([&](TEditID3Form& dialog) {
    EXPECT_EQ(dialog.ComboBoxGenre->Items()->Count(), 148);
    EXPECT_EQ(dialog.ComboBoxGenre->Items()->Strings(147), info->GetGenreName(147));
    EXPECT_EQ(dialog.ComboBoxGenre->ItemIndex(), 17);
    EXPECT_EQ(dialog.EditTitle->Text(), L"Old");
    EXPECT_EQ(dialog.EditYear->Text(), L"1999");
    dialog.EditTitle->SetText(L"New");
    dialog.EditArtist->SetText(L"Band");
    dialog.ComboBoxGenre->SetItemIndex(3);
    dialog.EditYear->SetText(L"2001");
    dialog.MemoComment->SetText(L"two\r\nlines");
    dialog.ButtonOK->Click();
  });
  form->ActionEditID3Execute(form);
  EXPECT_EQ(info->GetTitle(), L"New");
  EXPECT_EQ(info->GetArtist(), L"Band");
  EXPECT_EQ(info->GetGenre(), 3);
  EXPECT_EQ(info->GetYear(), 2001);
  EXPECT_EQ(info->GetComment(), L"two\r\nlines");
  EXPECT_TRUE(form->IsModified());

  // An emptied year reaches the command empty: the conversion error, and no tag written.
  form->SetModified(false);
  OnNext<TEditID3Form>([](TEditID3Form& dialog) {
    dialog.EditTitle->SetText(L"Never");
    dialog.EditYear->SetText(L"");
    dialog.ButtonOK->Click();
  });
  form->ActionEditID3Execute(form);
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(info->GetTitle(), L"New");
  EXPECT_FALSE(form->IsModified());
}

TEST_F(CommandsDialogsTest, OptionsOKAppliesTheFolderAndTheVerbs) {
  const auto verbExists = [] {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    String progId = L"mp3file";
    if (registry.OpenKeyReadOnly(L"\\Software\\Classes\\.mp3")) {
      if (const String value = registry.ReadString(L""); !value.empty()) progId = value;
      registry.CloseKey();
    }
    return registry.OpenKeyReadOnly(L"\\Software\\Classes\\" + progId + L"\\Shell\\Edit with Zentavo\\command");
  };
  ASSERT_TRUE(verbExists());
  OpenPattern(L"song.wav", 4000);
  OnNext<TOptionsForm>([this](TOptionsForm& dialog) {
    EXPECT_TRUE(dialog.CheckBoxAddToExplore->Checked());
    dialog.RadioButtonUseSpecifiedFolder->SetChecked(true);
    dialog.EditFolder->SetText(scratch.Path());
    dialog.CheckBoxAddToExplore->SetChecked(false);
    dialog.CheckBoxPlayAfterRegion->SetChecked(true);
    dialog.ButtonOK->Click();
  });
  form->ActionOptionsExecute(form);
  EXPECT_FALSE(GlobalVars.OP_UseDefFolder);
  EXPECT_TRUE(GlobalVars.OP_PlayAfterRegion);
  EXPECT_EQ(AddTrailingBackslash(Editor().TempDirectory()), AddTrailingBackslash(scratch.Path()));
  EXPECT_FALSE(verbExists());

  // Cancel applies nothing; OK with the box checked registers the verbs again.
  OnNext<TOptionsForm>([](TOptionsForm& dialog) {
    dialog.CheckBoxAddToExplore->SetChecked(true);
    dialog.ButtonCancel->Click();
  });
  form->ActionOptionsExecute(form);
  EXPECT_FALSE(verbExists());
  OnNext<TOptionsForm>([](TOptionsForm& dialog) {
    dialog.CheckBoxAddToExplore->SetChecked(true);
    dialog.ButtonOK->Click();
  });
  form->ActionOptionsExecute(form);
  EXPECT_TRUE(verbExists());
}

// ---- Edit commands -----------------------------------------------------------------------------------

TEST_F(CommandsDialogsTest, SelectSpecifiedTimeTakesMillisecondsAndSelectsSamples) {
  OpenPattern(L"song.wav", 88200);  // 2 s
  Select(4410, 22050);               // 100 ms ... 500 ms
  OnNext<TSelectSpecifiedTimeForm>([this](TSelectSpecifiedTimeForm& dialog) {
    EXPECT_EQ(dialog.InitialStart, 100);
    EXPECT_EQ(dialog.InitialEnd, 500);
    EXPECT_EQ(dialog.DocumentLength, 2000);
    EXPECT_EQ(form->SelectedTimeStart, 100);
    EXPECT_EQ(dialog.EditStart->Text(), L"0:00:00.100");
    dialog.EditStart->SetFocus();
    dialog.EditStart->SetText(L"0.250");
    dialog.EditEnd->SetFocus();
    dialog.EditEnd->SetText(L"1:30");  // past the end: the document's end
    dialog.ButtonOK->Click();
  });
  // Ctrl+G runs the command.
  EXPECT_TRUE(form->ActionList->IsShortCut(TextToShortCut(L"Ctrl+G")));
  EXPECT_EQ(form->SelectedTimeStart, 250);
  EXPECT_EQ(form->SelectedTimeEnd, 2000);
  EXPECT_EQ(SelectionStart(), 11025);
  EXPECT_EQ(SelectionEnd(), 88200);

  // Cancel: the requested range is the initial one, and nothing is selected.
  OnNext<TSelectSpecifiedTimeForm>([](TSelectSpecifiedTimeForm& dialog) {
    dialog.EditStart->SetText(L"1");
    dialog.ButtonCancel->Click();
  });
  form->ActionSelectSpecifiedTimeExecute(form);
  EXPECT_EQ(form->SelectedTimeStart, 250);
  EXPECT_EQ(form->SelectedTimeEnd, 2000);
  EXPECT_EQ(SelectionStart(), 11025);
}

TEST_F(CommandsDialogsTest, TheSelectionPanelsDoubleClickSelectsATimeOnlyWithAudio) {
  OpenPattern(L"song.wav", 4410);
  form->HandleNeeded();
  int shown = 0;
  const auto doubleClick = [&](TControl* control) {
    const TRect r = control->BoundsRect();
    window_testing::SendMouse(form->PanelSelection->Handle(), WM_LBUTTONDBLCLK,
                              control == form->PanelSelection ? 2 : r.left + 2, control == form->PanelSelection ? 2 : r.top + 2,
                              MK_LBUTTON);
    window_testing::SendMouse(form->PanelSelection->Handle(), WM_LBUTTONUP, 2, 2);
  };
  for (TControl* control : std::initializer_list<TControl*>{form->PanelSelection, form->LabelStart, form->LabelSelTitle}) {
    OnNext<TSelectSpecifiedTimeForm>([&](TSelectSpecifiedTimeForm& dialog) {
      ++shown;
      dialog.ButtonCancel->Click();
    });
    doubleClick(control);
  }
  EXPECT_EQ(shown, 3);
  GlobalVars.OP_PromptNewFile = false;
  form->ActionNewFileExecute(form);
  ASSERT_EQ(Length(), 0);
  EXPECT_EQ(ModalLoopsOf([&] { doubleClick(form->LabelStart); }), 0);
}

TEST_F(CommandsDialogsTest, InsertSilenceAtItsThreePlaces) {
  struct Case {
    const char* what;
    void (TMainForm::*command)(TObject*);
    std::int64_t silenceAt;
  } cases[] = {{"begin", &TMainForm::ActionInsertSilenceBeginExecute, 0},
               {"current", &TMainForm::ActionInsertSilenceCurrentExecute, 1000},
               {"end", &TMainForm::ActionInsertSilenceEndExecute, 4000}};
  GlobalVars.InsertSilenceTime = 7;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenPattern((String(L"song-") + Utf8Decode(c.what) + L".wav").c_str(), 4000);
    Editor().Position()->SetCursorPosition(1000);
    String shown;
    OnNext<TInsertSilenceForm>([&](TInsertSilenceForm& dialog) {
      shown = dialog.EditSilenceTime->Text();
      dialog.EditSilenceTime->SetText(L"100");  // 4410 frames
      dialog.ButtonOK->Click();
    });
    (form->*c.command)(form);
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(GlobalVars.InsertSilenceTime, 100);
    ASSERT_EQ(Length(), 8410);
    EXPECT_TRUE(AllZero(Samples(c.silenceAt, c.silenceAt + 4410)));
    EXPECT_EQ(Samples(c.silenceAt == 0 ? 4410 : 0, c.silenceAt == 0 ? 4420 : 10), PatternFloats(0, 10));
    EXPECT_TRUE(form->IsModified());
  }
  // The edit starts with the stored length; Cancel inserts nothing.
  OpenPattern(L"cancelled.wav", 4000);
  OnNext<TInsertSilenceForm>([](TInsertSilenceForm& dialog) {
    EXPECT_EQ(dialog.EditSilenceTime->Text(), L"100");
    dialog.ButtonCancel->Click();
  });
  form->ActionInsertSilenceEndExecute(form);
  EXPECT_EQ(Length(), 4000);
}

TEST_F(CommandsDialogsTest, RepeatLoopInsertsTheTypedNumberOfCopies) {
  OpenPattern(L"song.wav", 4000);
  Select(0, 1000);
  OnNext<TRepeatLoopForm>([](TRepeatLoopForm& dialog) {
    EXPECT_EQ(dialog.EditRepeatTimes->Text(), L"1");
    dialog.EditRepeatTimes->SetText(L"3");
    dialog.ButtonOK->Click();
  });
  form->ActionRepeatLoopExecute(form);
  ASSERT_EQ(Length(), 7000);
  for (int copy = 1; copy <= 3; ++copy) EXPECT_EQ(Samples(copy * 1000, copy * 1000 + 5), PatternFloats(0, 5)) << copy;
  EXPECT_EQ(Samples(4000, 4005), PatternFloats(1000, 5));
  form->SetModified(false);
  OnNext<TRepeatLoopForm>([](TRepeatLoopForm& dialog) { dialog.ButtonCancel->Click(); });
  form->ActionRepeatLoopExecute(form);
  EXPECT_EQ(Length(), 7000);
  EXPECT_FALSE(form->IsModified());
}

TEST_F(CommandsDialogsTest, PasteMixOnAnEmptyDocumentPadsTheSelection) {
  OpenPattern(L"song.wav", 4000);
  Select(0, 1000);
  form->ActionCopyExecute(form);
  GlobalVars.OP_PromptNewFile = false;
  GlobalVars.IncreaseSelection = true;
  GlobalVars.SelectePartPercent = 40;
  GlobalVars.AudioInBufferPercent = 60;
  form->ActionNewFileExecute(form);
  ASSERT_EQ(Length(), 0);
  OnNext<TPasteMixForm>([](TPasteMixForm& dialog) {
    EXPECT_FALSE(dialog.RadioButtonIncreaseSelection->Enabled());
    EXPECT_TRUE(dialog.RadioButtonInsertSilence->Checked());
    EXPECT_EQ(dialog.EditSelectPart->Text(), L"40");
    EXPECT_EQ(dialog.EditAudioInBuffer->Text(), L"60");
    dialog.EditSelectPart->SetText(L"100");
    dialog.EditAudioInBuffer->SetText(L"100");
    dialog.btnOK->Click();
  });
  const std::vector<String> calls = CallsOf([&] { form->ActionPasteMixExecute(form); });
  EXPECT_EQ(Length(), 1000);
  EXPECT_EQ(Samples(0, 100), PatternFloats(0, 100));
  EXPECT_EQ(Matching(calls, L"PasteMix"), std::vector<String>{L"TAudioEditor2.PasteMix(100, 100)"});
  EXPECT_EQ(GlobalVars.SelectePartPercent, 100);
  EXPECT_FALSE(GlobalVars.IncreaseSelection);
  EXPECT_TRUE(form->IsModified());
}

TEST_F(CommandsDialogsTest, MixFileAsksForTheFileThenTheLevelsAndPadsTheSelection) {
  const String source = WritePattern(L"source.wav", 1000);
  OpenPattern(L"song.wav", 4000);
  Select(0, 500);
  GlobalVars.IncreaseSelection = false;
  dialogFiles = {source};
  OnNext<TPasteMixForm>([](TPasteMixForm& dialog) {
    EXPECT_TRUE(dialog.RadioButtonIncreaseSelection->Enabled());
    EXPECT_TRUE(dialog.RadioButtonInsertSilence->Checked());
    dialog.EditSelectPart->SetText(L"50");
    dialog.EditAudioInBuffer->SetText(L"50");
    dialog.btnOK->Click();
  });
  const std::vector<String> calls = CallsOf([&] { form->ActionMixFileExecute(form); });
  EXPECT_EQ(Length(), 4500) << "the missing 500 frames inserted at the selection's end";
  EXPECT_EQ(SelectionStart(), 0);
  EXPECT_EQ(SelectionEnd(), 1000);
  EXPECT_EQ(Matching(calls, L"MixFile"), std::vector<String>{L"TAudioEditor2.MixFile(50, " + source + L", 50)"});
  EXPECT_EQ(AddTrailingBackslash(GlobalVars.LastOpenDir), AddTrailingBackslash(scratch.Path()));

  // No file chosen: no dialog, nothing changes.
  dialogFiles.clear();
  EXPECT_EQ(ModalLoopsOf([&] { form->ActionMixFileExecute(form); }), 0);
  EXPECT_EQ(Length(), 4500);
}

// ---- Enabling and menus ------------------------------------------------------------------------------

TEST_F(CommandsDialogsTest, EnablingRowsOfTheDialogCommands) {
  struct State {
    const char* what;
    std::function<void()> make;
    bool document, audio, selected, clipboard;
  } states[] = {
      {"no document", [] {}, false, false, false, false},
      {"an empty document",
       [this] {
         GlobalVars.OP_PromptNewFile = false;
         form->ActionNewFileExecute(form);
       },
       true, false, false, false},
      {"audio", [this] { OpenPattern(L"song.wav", 4000); }, true, true, false, false},
      {"a selection", [this] { Select(10, 11); }, true, true, true, false},
      {"after Copy", [this] { form->ActionCopyExecute(form); }, true, true, true, true},
  };
  for (const State& s : states) {
    SCOPED_TRACE(s.what);
    s.make();
    form->UpdateCommandStates();
    for (TAction* action : {form->ActionConvertSampleRate, form->ActionEditID3, form->ActionMixFile,
                            form->ActionInsertSilenceBegin, form->ActionInsertSilenceCurrent,
                            form->ActionInsertSilenceEnd})
      EXPECT_EQ(action->Enabled(), s.document) << action->Name();
    EXPECT_EQ(form->ActionSelectSpecifiedTime->Enabled(), s.audio);
    EXPECT_EQ(form->ActionRepeatLoop->Enabled(), s.selected);
    EXPECT_EQ(form->ActionPasteMix->Enabled(), s.clipboard);
    EXPECT_TRUE(form->ActionOptions->Enabled());
  }
}

std::vector<String> CaptionsOf(TMenuItem* menu) {
  std::vector<String> captions;
  for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Items(i)->Caption());
  return captions;
}

TMenuItem* SubMenu(TMenuItem* menu, const String& caption) {
  for (int i = 0; i < menu->Count(); ++i)
    if (menu->Items(i)->Caption() == caption) return menu->Items(i);
  return nullptr;
}

TEST_F(CommandsDialogsTest, TheCommandsStandAtTheirMenuPlaces) {
  const std::vector<String> file = CaptionsOf(form->MenuFile);
  const auto saveSelect = std::find(file.begin(), file.end(), L"Save Select &Region As...");
  ASSERT_LT(saveSelect + 3, file.end());
  EXPECT_EQ(*(saveSelect + 1), L"-");
  EXPECT_EQ(*(saveSelect + 2), L"Convert Sample Rate and Channels");
  EXPECT_EQ(*(saveSelect + 3), L"Edit ID3 Tags");
  EXPECT_EQ(form->MenuOptions->Items(0)->Caption(), L"Options");

  const std::vector<String> edit = CaptionsOf(form->MenuEdit);
  const auto paste = std::find(edit.begin(), edit.end(), L"&Paste");
  ASSERT_NE(paste, edit.end());
  EXPECT_EQ(*(paste + 1), L"Paste Mi&x...");
  const auto line = std::find(edit.begin(), edit.end(), L"-");
  ASSERT_LT(line + 2, edit.end());
  EXPECT_EQ(*(line + 1), L"Repeat &Loop...");
  EXPECT_EQ(*(line + 2), L"&Mix File...");
  const auto insertFile = std::find(edit.begin(), edit.end(), L"Insert &File");
  ASSERT_LT(insertFile + 1, edit.end());
  EXPECT_EQ(*(insertFile + 1), L"Insert Silen&ce");
  EXPECT_EQ(CaptionsOf(SubMenu(form->MenuEdit, L"Select")),
            (std::vector<String>{L"Select To Start", L"Select To End", L"Select Specified Time", L"&Select All"}));
  TMenuItem* silence = SubMenu(form->MenuEdit, L"Insert Silen&ce");
  ASSERT_NE(silence, nullptr);
  EXPECT_EQ(silence->Items(0)->Action(), form->ActionInsertSilenceBegin);
  EXPECT_EQ(silence->Items(1)->Action(), form->ActionInsertSilenceCurrent);
  EXPECT_EQ(silence->Items(2)->Action(), form->ActionInsertSilenceEnd);
}

}  // namespace
