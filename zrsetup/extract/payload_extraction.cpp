#include "extraction_context.h"

void AttachArchive(ExtractionContext& context, const std::uint8_t* archive, std::uint32_t size) {
  context.archiveSize = size;
  context.cursor = archive;
  context.archiveEnd = archive + size;
}

bool ExtractPayload(ExtractionContext& context, HWND ownerWindow) {
  // not yet implemented
  (void)context;
  (void)ownerWindow;
  return true;
}
