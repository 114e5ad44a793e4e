#include "settings_file.h"

bool AdaptSettingsFile() {
  // not yet implemented
  return true;
}
