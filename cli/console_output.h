#pragma once
// The command line writes UTF-8 ("Não", "Relógio configurado!!"). POSIX
// terminals show those bytes as they are; a Windows console shows its own code
// page (850 on a Portuguese desktop) unless it is told otherwise.
namespace zm48d::cli {

// While it lives, a console the program writes to shows UTF-8; the console's
// own code page comes back afterwards. Without a console nothing changes: a file
// or a pipe gets the UTF-8 bytes as they are.
class Utf8ConsoleOutput {
 public:
  Utf8ConsoleOutput();
  ~Utf8ConsoleOutput();
  Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
  Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

 private:
  [[maybe_unused]] unsigned previous_ = 0;  // the console's code page; 0: no console
};

}  // namespace zm48d::cli
