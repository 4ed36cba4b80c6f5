#pragma once
// A fresh folder of its own for each test: two runs of a suite at once (or
// CTest running its cases side by side) never share one.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace wc {

class TestFolder {
 public:
  explicit TestFolder(const std::string& prefix = "wc-test") {
    std::string tmpl = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(tmpl.data())) path_ = tmpl;
  }
  ~TestFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace wc
