#pragma once
// The sample-rate lists of the new-file dialog and of the sample-rate conversion dialog, and how a
// list index and a rate correspond. The main window and the options dialog share them.

// The new-file list (12 entries, 96000 ... 6000 Hz); any other index gives 44100.
int NewFileSampleRateOfIndex(int Index);
// The index a new-file choice outside the list falls back to: 44100.
constexpr int NewFileDefaultRateIndex = 3;
constexpr int NewFileRateCount = 12;

// The conversion list (10 entries, 96000 ... 6000 Hz, without 24000 and 12000); any other index
// gives 44100.
int ConversionSampleRateOfIndex(int Index);
// The conversion list's index of the rate (the index of 44100 for a rate not in the list).
int ConversionRateIndexOf(int SampleRate);
constexpr int ConversionRateCount = 10;
