#include "platform/audio/devices/MixerLines.h"

#include <algorithm>
#include <cmath>

#include <mmsystem.h>

namespace {

// The mixer of one waveIn device, open for the lifetime of the object.
class RecordingMixer {
 public:
  explicit RecordingMixer(UINT waveInId) {
    if (mixerOpen(&mixer_, waveInId, 0, 0, MIXER_OBJECTF_WAVEIN) != MMSYSERR_NOERROR) {
      mixer_ = nullptr;
      return;
    }
    destination_.cbStruct = sizeof destination_;
    destination_.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    if (mixerGetLineInfoW(Object(), &destination_, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) Close();
  }
  ~RecordingMixer() { Close(); }
  RecordingMixer(const RecordingMixer&) = delete;
  RecordingMixer& operator=(const RecordingMixer&) = delete;

  bool Open() const { return mixer_ != nullptr; }
  int SourceCount() const { return Open() ? static_cast<int>(destination_.cConnections) : 0; }

  bool Source(int index, MIXERLINEW& line) const {
    line = MIXERLINEW{};
    line.cbStruct = sizeof line;
    line.dwDestination = destination_.dwDestination;
    line.dwSource = static_cast<DWORD>(index);
    return mixerGetLineInfoW(Object(), &line, MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR;
  }

  bool Control(DWORD lineId, DWORD type, MIXERCONTROLW& control) const {
    control = MIXERCONTROLW{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = lineId;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    return mixerGetLineControlsW(Object(), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
  }

  // The destination's selector: which sources record. Items are in the selector's own order; each
  // item's dwParam1 is the line id of its source.
  bool Selector(MIXERCONTROLW& control) const {
    return Control(destination_.dwLineID, MIXERCONTROL_CONTROLTYPE_MUX, control) ||
           Control(destination_.dwLineID, MIXERCONTROL_CONTROLTYPE_MIXER, control);
  }

  std::vector<MIXERCONTROLDETAILS_LISTTEXTW> SelectorItems(const MIXERCONTROLW& control) const {
    return ItemDetails<MIXERCONTROLDETAILS_LISTTEXTW>(control, MIXER_GETCONTROLDETAILSF_LISTTEXT);
  }

  std::vector<MIXERCONTROLDETAILS_BOOLEAN> SelectorValues(const MIXERCONTROLW& control) const {
    return ItemDetails<MIXERCONTROLDETAILS_BOOLEAN>(control, MIXER_GETCONTROLDETAILSF_VALUE);
  }

  void SetSelectorValues(const MIXERCONTROLW& control, std::vector<MIXERCONTROLDETAILS_BOOLEAN>& values) const {
    MIXERCONTROLDETAILS details = Details(control, values.data(), sizeof(MIXERCONTROLDETAILS_BOOLEAN), values.size());
    mixerSetControlDetails(Object(), &details, MIXER_SETCONTROLDETAILSF_VALUE);
  }

  // A volume control read as one value for all channels.
  DWORD Volume(const MIXERCONTROLW& control) const {
    MIXERCONTROLDETAILS_UNSIGNED value{};
    MIXERCONTROLDETAILS details = Details(control, &value, sizeof value, 0);
    details.cChannels = 1;
    if (mixerGetControlDetailsW(Object(), &details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return 0;
    return value.dwValue;
  }

  void SetVolume(const MIXERCONTROLW& control, DWORD volume) const {
    MIXERCONTROLDETAILS_UNSIGNED value{volume};
    MIXERCONTROLDETAILS details = Details(control, &value, sizeof value, 0);
    details.cChannels = 1;
    mixerSetControlDetails(Object(), &details, MIXER_SETCONTROLDETAILSF_VALUE);
  }

 private:
  HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(mixer_); }

  static MIXERCONTROLDETAILS Details(const MIXERCONTROLW& control, void* data, DWORD itemSize, std::size_t items) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = static_cast<DWORD>(items);
    details.cbDetails = itemSize;
    details.paDetails = data;
    return details;
  }

  // The per-item details of a multiple-item control (its texts or its values); empty when unread.
  template <class Item>
  std::vector<Item> ItemDetails(const MIXERCONTROLW& control, DWORD what) const {
    std::vector<Item> items(control.cMultipleItems);
    MIXERCONTROLDETAILS details = Details(control, items.data(), sizeof(Item), items.size());
    if (items.empty() || mixerGetControlDetailsW(Object(), &details, what) != MMSYSERR_NOERROR) items.clear();
    return items;
  }

  void Close() {
    if (mixer_) mixerClose(mixer_);
    mixer_ = nullptr;
  }

  HMIXER mixer_ = nullptr;
  MIXERLINEW destination_{};
};

UINT MixerDevice(UINT waveInId) { return waveInId == WAVE_MAPPER ? 0 : waveInId; }

// 0..65535 <-> the control's own range.
int ToLineVolume(DWORD value, const MIXERCONTROLW& control) {
  const double low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
  if (high <= low) return 0;
  return static_cast<int>(std::lround(std::clamp((value - low) / (high - low), 0.0, 1.0) * 65535.0));
}

DWORD FromLineVolume(int volume, const MIXERCONTROLW& control) {
  const double low = control.Bounds.dwMinimum, high = control.Bounds.dwMaximum;
  return static_cast<DWORD>(std::lround(low + std::clamp(volume, 0, 65535) / 65535.0 * (high - low)));
}

// The selector item of a source line, or -1.
int SelectorIndex(const std::vector<MIXERCONTROLDETAILS_LISTTEXTW>& items, DWORD lineId) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].dwParam1 == lineId) return static_cast<int>(i);
  return -1;
}

std::vector<InputLine> DeviceAsOneLine(UINT waveInId) {
  WAVEINCAPSW caps{};
  if (waveInGetDevCapsW(waveInId, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
  InputLine line;
  line.Name = caps.szPname;
  line.Selected = true;
  line.HasVolume = false;
  return {line};
}

}  // namespace

std::vector<InputLine> ReadRecordingLines(UINT waveInId) {
  RecordingMixer mixer(MixerDevice(waveInId));
  if (!mixer.Open() || mixer.SourceCount() == 0) return DeviceAsOneLine(waveInId);

  MIXERCONTROLW selector;
  const bool hasSelector = mixer.Selector(selector);
  const auto items = hasSelector ? mixer.SelectorItems(selector) : std::vector<MIXERCONTROLDETAILS_LISTTEXTW>{};
  const auto values = hasSelector ? mixer.SelectorValues(selector) : std::vector<MIXERCONTROLDETAILS_BOOLEAN>{};

  std::vector<InputLine> lines;
  for (int i = 0; i < mixer.SourceCount(); ++i) {
    MIXERLINEW source;
    if (!mixer.Source(i, source)) continue;
    InputLine line;
    line.Name = source.szName;
    const int item = SelectorIndex(items, source.dwLineID);
    line.Selected = hasSelector ? item >= 0 && item < static_cast<int>(values.size()) && values[item].fValue
                                : mixer.SourceCount() == 1;
    MIXERCONTROLW volume;
    line.HasVolume = mixer.Control(source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, volume);
    line.Volume = line.HasVolume ? ToLineVolume(mixer.Volume(volume), volume) : 0;
    lines.push_back(std::move(line));
  }
  return lines;
}

void SelectRecordingLine(UINT waveInId, int index) {
  RecordingMixer mixer(MixerDevice(waveInId));
  MIXERLINEW source;
  MIXERCONTROLW selector;
  if (!mixer.Open() || !mixer.Source(index, source) || !mixer.Selector(selector)) return;
  const auto items = mixer.SelectorItems(selector);
  const int item = SelectorIndex(items, source.dwLineID);
  if (item < 0) return;
  std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(items.size());
  for (std::size_t i = 0; i < values.size(); ++i) values[i].fValue = static_cast<int>(i) == item;
  mixer.SetSelectorValues(selector, values);
}

void SetRecordingLineVolume(UINT waveInId, int index, int volume) {
  RecordingMixer mixer(MixerDevice(waveInId));
  MIXERLINEW source;
  MIXERCONTROLW control;
  if (!mixer.Open() || !mixer.Source(index, source) ||
      !mixer.Control(source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, control))
    return;
  mixer.SetVolume(control, FromLineVolume(volume, control));
}
