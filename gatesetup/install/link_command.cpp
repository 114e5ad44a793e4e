#include "link_command.h"

char* SplitLinkCommand(char* command) {
  bool inQuotes = false;
  for (char* c = command; *c != '\0'; ++c) {
    if (inQuotes) {
      if (*c == '"') inQuotes = false;
    } else if (*c == '"') {
      inQuotes = true;
    } else if (*c == ' ') {
      *c = '\0';
      return c + 1;
    }
  }
  return nullptr;
}
