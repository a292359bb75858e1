#include "tests/ui/bars/customize/RecordingDesigner.h"

namespace bar_testing {
DEFINE_CLASS(TRecordingDesigner)
}  // namespace bar_testing
