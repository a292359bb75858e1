#pragma once
// The favourites of the main window: the file's defaults, the favourite actions and menu items
// rebuilt from "Favorite.dat", the dispatch of a key or link, and the appliers of the 23 effects,
// which all run one family routine over the effect's row of the table (FavoriteData.h).

class TMainForm;
class TFavorite;
struct TFavoriteEffect;

// The family routine: stops the transport, selects all when nothing is selected, reads the list
// (a list with fewer values than the effect takes is refused with an error box), applies the
// transform and finishes the edit.
void ApplyFavoriteEffect(TMainForm& Main, const TFavoriteEffect& Effect, const TFavorite& Favorite);

void ApplyFavoriteEcho(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteVibrato(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteReverb(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteAmplify(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteFade(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteNormalize(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteCompressor(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteChorus(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteFlanger(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoritePhaser(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteSpeedChange(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoritePitchChange(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoritePeakEQ(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteNotch(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteBandPass(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteLowPass(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteHighPass(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteLowShelf(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteHighShelf(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteMixStereo(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteInvert(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteReverse(TMainForm& Main, const TFavorite& Favorite);
void ApplyFavoriteNoiseReduction(TMainForm& Main, const TFavorite& Favorite);
