// A fresh, empty folder in the system's temporary folder for one test, removed
// with everything in it when the test ends. Plain C++ (std::filesystem), so
// that tests of plain logic can use it natively too.
#pragma once

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace harness {

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    const std::string stem = "zrtest-" + std::to_string(std::random_device{}()) + "-";
    for (;;) {
      path_ = temp / (stem + std::to_string(counter++));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path, without a separator at its end.
  std::string Path() const { return path_.string(); }
  // The path of name inside the folder.
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace harness
