#pragma once
// The shell's "open" verb: asks the desktop to open an address (a web page, a file) in
// the user's own program for it, in a normal window. Tests put a recorder in place of
// the desktop, so no browser is ever started by a test.
#include <string>
#include <vector>

namespace qshell {

class Opener {
 public:
  virtual ~Opener() = default;
  // True when the desktop took the address.
  virtual bool Open(const std::string& address) = 0;
};

// Opens the address through the opener in force; callers that do not look at the
// result fail without a message, as the system's links do.
bool Open(const std::string& address);

// Installs an opener (not owned); null restores the desktop one. Returns the one before.
Opener* Install(Opener* opener);

// Records the addresses instead of opening them.
class Recorder : public Opener {
 public:
  bool Open(const std::string& address) override {
    opened.push_back(address);
    return result;
  }
  std::vector<std::string> opened;
  bool result = true;
};

// Installs an opener for the life of the object, then puts the previous one back.
class ScopedOpener {
 public:
  explicit ScopedOpener(Opener* opener) : previous_(Install(opener)) {}
  ~ScopedOpener() { Install(previous_); }
  ScopedOpener(const ScopedOpener&) = delete;
  ScopedOpener& operator=(const ScopedOpener&) = delete;

 private:
  Opener* previous_;
};

}  // namespace qshell
