#pragma once
// Which rate to open a sound card at: the wanted one when the card takes it, else 48000 Hz with the
// resampler in between; 0 when the card takes neither.

#include <functional>

constexpr int kFallbackDeviceRate = 48000;

int ChooseDeviceRate(int wanted, const std::function<bool(int rate)>& cardAccepts);
