#include "written_file.h"

bool CloseWrittenFile(std::FILE* file) {
  bool written = std::fflush(file) == 0;
  written = std::ferror(file) == 0 && written;
  written = std::fclose(file) == 0 && written;
  return written;
}
