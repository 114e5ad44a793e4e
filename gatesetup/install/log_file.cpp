#include "log_file.h"

#include <cstdio>

#include "log_line_list.h"

void WriteLogFile() {
  // Text mode: every line ends in CR LF.
  FILE* file = std::fopen("zrsetup.log", "w");
  if (file == nullptr) return;
  for (const char* line = FirstLine(); line != nullptr; line = NextLine()) {
    std::fprintf(file, "%s\n", line);
  }
  std::fclose(file);
}
