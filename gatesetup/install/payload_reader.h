// The read state of one unpacking of the payload resource.
#pragma once

#include <cstdint>

#include "payload_archive.h"

struct PayloadReader {
  const std::uint8_t* begin;      // first byte of the resource, for error offsets
  std::uint32_t size;             // as the resource system reports it
  payload::PayloadCursor cursor;  // never steps past begin + size
};
