// Workspace: the directory a scenario writes its files into, with paths in
// the platform's own form (a Wine run gets Z:\... for a Unix directory), and
// byte-exact file helpers that work alike on both hosts.
#ifndef VARNEK_TESTS_WINDOWS_WORKSPACE_H_
#define VARNEK_TESTS_WINDOWS_WORKSPACE_H_

#include <string>

namespace scenario {

class Workspace {
 public:
  // Makes root/name (root must exist).
  Workspace(const std::string& root, const std::string& name);

  const std::string& directory() const { return directory_; }
  std::string Path(const std::string& file) const;
  // The file's bytes; empty when it cannot be read.
  std::string Read(const std::string& file) const;
  void Write(const std::string& file, const std::string& bytes) const;
  bool Exists(const std::string& file) const;
  bool Remove(const std::string& file) const;
  // Sets or clears the file's read-only attribute (POSIX: its write bits).
  bool SetReadOnly(const std::string& file, bool read_only) const;

 private:
  std::string directory_;
};

// The platform's separator, and a directory argument in the platform's form.
char PathSeparator();
std::string NativeDirectory(const std::string& argument);
bool MakeDirectory(const std::string& path);

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_WORKSPACE_H_
