#include "ClockFormat.h"

#include "platform/LocaleFormat.h"

namespace wc {

const FormatSettings& ClockFormat() {
  static const FormatSettings settings = FormatSettingsFromLocale();
  return settings;
}

}  // namespace wc
