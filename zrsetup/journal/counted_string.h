// CountedString: an owned character buffer with its length.
//
// The buffer holds exactly length + 1 bytes with a NUL at index length. The
// empty string owns no buffer at all (Text() is null) and no operation leaves a
// buffer behind when the length becomes 0. A failed allocation ends the process.
#pragma once

#include <cstdint>

class CountedString {
 public:
  CountedString() = default;
  ~CountedString() { Release(); }
  CountedString(const CountedString&) = delete;
  CountedString& operator=(const CountedString&) = delete;

  // Takes n characters from source. A NUL in the source ends the copy and the
  // rest is NUL-filled; n of 0 or less leaves the string empty. The buffer is
  // reused when n equals the current length.
  void Assign(const char* source, std::int32_t n);
  // Assigns a C string (null counts as empty).
  void Assign(const char* text);
  // Assigns the other string's text up to its first NUL.
  void Assign(const CountedString& other);

  // Sets the string to the concatenation of two or three C strings.
  void Concat(const char* first, const char* second);
  void Concat(const char* first, const char* second, const char* third);

  // Appends the first n characters of source (NUL-filled when it is shorter).
  // n below 1 does nothing; otherwise a new buffer is always taken.
  void Append(const char* source, std::int32_t n);
  // Appends a whole C string.
  void Append(const char* text);

  // Room for n characters, for use as an output buffer of a system call:
  // n + 1 bytes, all NUL, length n.
  void Reserve(std::int32_t n);

  // When the text is shorter than the stored length (after a system call
  // wrote into the buffer), the length becomes the text's length and the
  // buffer is replaced by an exact-size copy, or freed when that length is 0.
  void ShrinkToFirstNul();

  // Frees the buffer; the string is empty afterwards.
  void Release();

  // The text, or null for the empty string.
  const char* Text() const { return buffer_; }
  // The text, or "" for the empty string: for calls that take no null.
  const char* CStr() const { return buffer_ != nullptr ? buffer_ : ""; }
  // The writable buffer (after Reserve), null for the empty string.
  char* Buffer() { return buffer_; }
  std::int32_t Length() const { return length_; }
  bool IsEmpty() const { return length_ == 0; }

 private:
  char* buffer_ = nullptr;
  std::int32_t length_ = 0;
};
