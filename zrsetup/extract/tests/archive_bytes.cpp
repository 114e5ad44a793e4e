#include "archive_bytes.h"

#include <cstring>

GuardedArchive::GuardedArchive(const std::string& bytes)
    : size_(static_cast<std::uint32_t>(bytes.size())) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const SIZE_T page = system.dwPageSize;
  const SIZE_T dataPages = (bytes.size() + page - 1) / page + 1;
  pages_ = VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  char* guard = static_cast<char*>(pages_) + dataPages * page;
  DWORD previous = 0;
  VirtualProtect(guard, page, PAGE_NOACCESS, &previous);
  char* start = guard - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  data_ = reinterpret_cast<const std::uint8_t*>(start);
}

GuardedArchive::~GuardedArchive() { VirtualFree(pages_, 0, MEM_RELEASE); }
