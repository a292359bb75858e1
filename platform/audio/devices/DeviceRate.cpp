#include "platform/audio/devices/DeviceRate.h"

int ChooseDeviceRate(int wanted, const std::function<bool(int rate)>& cardAccepts) {
  if (cardAccepts(wanted)) return wanted;
  if (wanted != kFallbackDeviceRate && cardAccepts(kFallbackDeviceRate)) return kFallbackDeviceRate;
  return 0;
}
