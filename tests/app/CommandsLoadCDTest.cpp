#include "tests/app/CommandsFixture.h"

#include <cstring>
#include <memory>

#include "app/core/SystemQueries.h"
#include "capture/BatchConverter.h"
#include "capture/LoadCD.h"
#include "platform/audio/codecs/CdaTrack.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/capture/FakeCDPlatform.h"

namespace {

using CommandsLoadCDTest = CommandsTest;

TEST_F(CommandsLoadCDTest, LoadCDFollowsOpenFileInTheFileMenu) {
  EXPECT_EQ(form->ActionLoadCD->Caption(), L"Load Audio CD Track(s)");
  int openAt = -1, loadAt = -1;
  for (int i = 0; i < form->MenuFile->Count(); ++i) {
    if (form->MenuFile->Items(i)->Action() == form->ActionOpenFile) openAt = i;
    if (form->MenuFile->Items(i)->Action() == form->ActionLoadCD) loadAt = i;
  }
  EXPECT_EQ(loadAt, openAt + 1);
}

TEST_F(CommandsLoadCDTest, WithoutACdDriveOnlyTheBoxIsShown) {
  ASSERT_EQ(CountCdromDrives(), 0) << "this machine has a CD drive";
  const String before = form->DocumentPath;
  form->ActionLoadCD->Execute();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            L"No CD-ROM drivres have been detected. If you do have a CD-ROM drive installed but see this message please "
            L"read the Help topic relating to Loading CD Tracks.");
  EXPECT_EQ(boxes[0].Caption, Application->Title());
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(form->DocumentPath, before);
}

// A drive holding the disc of the given volume serial; every sample is 0x0101.
class TSilentDrive : public CdAudioDrive {
 public:
  explicit TSilentDrive(std::uint32_t serial) : serial_(serial) {}
  std::uint32_t VolumeSerial() const override { return serial_; }
  void ReadSectors(std::uint32_t, std::uint32_t count, std::uint8_t* out) override {
    std::memset(out, 1, std::size_t{count} * kCdSectorBytes);
  }

 private:
  std::uint32_t serial_;
};

TEST_F(CommandsLoadCDTest, ALoadedTrackIsNamedAfterItsRow) {
  // The fake drive is the prefix's C: drive, so the dialog's track path names a real file.
  const CdaTrackInfo track{1, 0x5EED5EED, 300, 75};
  const String trackFile = L"C:\\Track01.cda";
  testing_support::WriteFileBytes(trackFile, CdaFileBytes(track));
  capture_test::TFakeMachine machine;
  capture_test::TFakeDrive drive;
  drive.Letter = L'C';
  drive.Toc = capture_test::RawToc(1, {{150}}, 450);
  drive.Files = {L"Track01.cda"};
  machine.Platform.Drives = {drive};
  SetCdDriveProvider([serial = track.VolumeSerial] {
    std::vector<std::unique_ptr<CdAudioDrive>> drives;
    drives.push_back(std::make_unique<TSilentDrive>(serial));
    return drives;
  });
  OnNextModalForm([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TLoadCDForm*>(modal);
    ASSERT_NE(dialog, nullptr);
    testing_support::PumpFor(50);  // the dialog reads its drive from a posted message
    ASSERT_EQ(dialog->ListViewTracks->Items()->Count(), 1);
    dialog->ListViewTracks->Items()->Item(0)->SetSelected(true);
    dialog->ActionLoad->Execute();
  });
  form->ActionLoadCD->Execute();
  SetCdDriveProvider(nullptr);
  DeleteFile(trackFile);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(form->DocumentPath, L"Track - 01");
  EXPECT_EQ(Length(), 75 * kCdSectorFrames);
}

}  // namespace

namespace {

using CommandsBatchTest = CommandsTest;

TEST_F(CommandsBatchTest, BatchConverterOpensItsWindowCentredAndModalFromTheFileMenu) {
  EXPECT_EQ(form->ActionBatch->Caption(), L"Batch Converter");
  EXPECT_EQ(form->ActionBatch->Hint(), L"Applies multiple effect or edit functions on the current file at once.");
  EXPECT_TRUE(form->ActionBatch->Enabled());
  bool inFileMenu = false;
  for (int i = 0; i < form->MenuFile->Count(); ++i) inFileMenu |= form->MenuFile->Items(i)->Action() == form->ActionBatch;
  EXPECT_TRUE(inFileMenu);
  form->SetBounds(100, 80, 800, 600);
  String caption;
  TRect bounds;
  OnNextModalForm([&](TCustomForm* shown) {
    caption = shown->Caption();
    bounds = shown->BoundsRect();
    shown->ModalResult = mrCancel;
  });
  form->ActionBatch->Execute();
  EXPECT_EQ(caption, L"Batch Converter");
  const TRect main = form->BoundsRect();
  EXPECT_NEAR((bounds.left + bounds.right) / 2, (main.left + main.right) / 2, 2);
  EXPECT_NEAR((bounds.top + bounds.bottom) / 2, (main.top + main.bottom) / 2, 2);
  // Freed: no batch window is left among the main window's components.
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_EQ(dynamic_cast<TBatchConverterForm*>(form->Components(i)), nullptr);
}

}  // namespace
