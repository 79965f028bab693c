// Helpers shared by the test programs.
#pragma once

#include <string>

namespace vorn::test {

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }  // host path, no trailing slash
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Reads or writes a whole file on the host (binary).
std::string ReadHostFile(const std::string& path);
void WriteHostFile(const std::string& path, const std::string& bytes);

// A UTF-8 text as the host shows it. Plain literals in tests are Shift-JIS (the
// system's texts); u8 literals stay UTF-8.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace vorn::test
