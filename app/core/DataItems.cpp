#include "app/core/DataItems.h"

DEFINE_CLASS(TRegion)
DEFINE_CLASS(TBookmark)
DEFINE_CLASS(TFavorite)
DEFINE_CLASS(TShortCut_)
DEFINE_CLASS(TCDItem)
DEFINE_CLASS(TBatchFileItem)
