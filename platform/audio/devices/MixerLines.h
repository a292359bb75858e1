#pragma once
// The recording lines of a waveIn device, read from and written to the system mixer: the sources of
// its wave-in destination, the destination's multiplexer (or mixer) control for which one records,
// and each source's volume control scaled to 0..65535. A device without a mixer shows one line
// named after the device, without volume.

#include <vector>

#include "platform/audio/devices/AudioDevices.h"
#include "platform/framework/base/Win32.h"

std::vector<InputLine> ReadRecordingLines(UINT waveInId);
void SelectRecordingLine(UINT waveInId, int index);
void SetRecordingLineVolume(UINT waveInId, int index, int volume);
