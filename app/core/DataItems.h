#pragma once
// The small records that list windows and dialogs attach to their rows. Each is created by the
// window that fills the row and freed with it; they carry data only.

#include <cstdint>

#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Types.h"

class TRegion : public TObject {
  DECLARE_CLASS(TRegion, TObject)
 public:
  String Name;
  String TimeRangeText;
  String FileName;
  int MarkerId = 0;
  std::int64_t StartSample = 0;
  std::int64_t EndSample = 0;
};

class TBookmark : public TObject {
  DECLARE_CLASS(TBookmark, TObject)
 public:
  String Name;
  String TimeText;
  std::int64_t PositionSample = 0;
  int MarkerId = 0;
};

class TFavorite : public TObject {
  DECLARE_CLASS(TFavorite, TObject)
 public:
  String Name;
  String ShortCutText;
  String ParamList;
  String EffectName;
  bool ShowDialog = false;
};

class TShortCut_ : public TObject {
  DECLARE_CLASS(TShortCut_, TObject)
 public:
  String ShortCutText;
};

class TCDItem : public TObject {
  DECLARE_CLASS(TCDItem, TObject)
 public:
  String TrackPath;
  String Caption;
};

class TBatchFileItem : public TObject {
  DECLARE_CLASS(TBatchFileItem, TObject)
 public:
  String FileName;
  String FolderPath;
};
