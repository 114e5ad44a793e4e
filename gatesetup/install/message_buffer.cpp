#include "message_buffer.h"

#include <cstdarg>
#include <cstdio>

char MessageBuffer[kMessageBufferSize];

bool FormatMessageText(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(MessageBuffer, kMessageBufferSize, format, arguments);
  va_end(arguments);
  return length >= 0 && static_cast<std::size_t>(length) < kMessageBufferSize;
}
