// A fresh folder under the system's temporary folder for the files one test makes; removed
// with everything in it when the object ends.
#pragma once

#include <string>

namespace e2e {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Valid() const { return !path_.empty(); }
  // The path of `name` inside the folder (Windows form, with the drive letter).
  std::wstring File(const std::wstring& name) const;

 private:
  std::wstring path_;  // ends in a backslash
};

}  // namespace e2e
