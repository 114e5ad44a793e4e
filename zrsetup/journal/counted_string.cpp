#include "counted_string.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Running out of memory ends the installer: there is nothing sensible left to do.
char* AllocateOrDie(std::int32_t bytes) {
  char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(bytes)));
  if (buffer == nullptr) {
    std::fputs("out of memory\n", stderr);
    std::abort();
  }
  return buffer;
}

std::int32_t LengthOf(const char* text) {
  return text == nullptr ? 0 : static_cast<std::int32_t>(std::strlen(text));
}

// Copies up to n characters, a NUL in the source ending the copy and the rest
// being NUL-filled. The source may overlap the destination.
void CopyUpToNul(char* destination, const char* source, std::int32_t n) {
  std::size_t count = 0;
  if (source != nullptr) {
    while (count < static_cast<std::size_t>(n) && source[count] != '\0') ++count;
    std::memmove(destination, source, count);
  }
  std::memset(destination + count, 0, static_cast<std::size_t>(n) - count);
}

}  // namespace

void CountedString::Assign(const char* source, std::int32_t n) {
  if (n <= 0) {
    Release();
    return;
  }
  if (n == length_) {
    CopyUpToNul(buffer_, source, n);
    return;
  }
  // The source may be this string's own text: copy before freeing.
  char* fresh = AllocateOrDie(n + 1);
  fresh[n] = '\0';
  CopyUpToNul(fresh, source, n);
  Release();
  buffer_ = fresh;
  length_ = n;
}

void CountedString::Assign(const char* text) { Assign(text, LengthOf(text)); }

void CountedString::Assign(const CountedString& other) {
  if (&other == this) return;
  Assign(other.Text());
}

void CountedString::Concat(const char* first, const char* second) {
  Concat(first, second, nullptr);
}

void CountedString::Concat(const char* first, const char* second, const char* third) {
  const std::int32_t a = LengthOf(first);
  const std::int32_t b = LengthOf(second);
  const std::int32_t c = LengthOf(third);
  const std::int32_t n = a + b + c;
  // The pieces may be this string's own text: build the result aside.
  CountedString result;
  if (n > 0) {
    result.buffer_ = AllocateOrDie(n + 1);
    result.length_ = n;
    if (a > 0) std::memcpy(result.buffer_, first, static_cast<std::size_t>(a));
    if (b > 0) std::memcpy(result.buffer_ + a, second, static_cast<std::size_t>(b));
    if (c > 0) std::memcpy(result.buffer_ + a + b, third, static_cast<std::size_t>(c));
    result.buffer_[n] = '\0';
  }
  Release();
  buffer_ = result.buffer_;
  length_ = result.length_;
  result.buffer_ = nullptr;
  result.length_ = 0;
}

void CountedString::Append(const char* source, std::int32_t n) {
  if (n < 1) return;
  const std::int32_t total = length_ + n;
  char* grown = AllocateOrDie(total + 1);
  if (length_ > 0) std::memcpy(grown, buffer_, static_cast<std::size_t>(length_));
  CopyUpToNul(grown + length_, source, n);
  grown[total] = '\0';
  Release();
  buffer_ = grown;
  length_ = total;
}

void CountedString::Append(const char* text) { Append(text, LengthOf(text)); }

void CountedString::Reserve(std::int32_t n) {
  Release();
  if (n <= 0) return;
  buffer_ = AllocateOrDie(n + 1);
  std::memset(buffer_, 0, static_cast<std::size_t>(n) + 1);
  length_ = n;
}

void CountedString::ShrinkToFirstNul() {
  const std::int32_t actual = LengthOf(buffer_);
  if (actual >= length_) return;
  if (actual == 0) {
    Release();
    return;
  }
  char* exact = AllocateOrDie(actual + 1);
  std::memcpy(exact, buffer_, static_cast<std::size_t>(actual) + 1);
  Release();
  buffer_ = exact;
  length_ = actual;
}

void CountedString::Release() {
  std::free(buffer_);
  buffer_ = nullptr;
  length_ = 0;
}
