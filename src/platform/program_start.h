// What each program does first and last. On Windows: its arguments come
// from the wide command line, in UTF-8, so that any name a user can type
// reaches it whole; and a console window shows code page 1252 while it
// runs (the messages are Latin-1, and a window opened by a double click
// shows 850), the previous page restored at its end. Nothing on POSIX.
#ifndef DGNBIN_PLATFORM_PROGRAM_START_H_
#define DGNBIN_PLATFORM_PROGRAM_START_H_

#include <string>
#include <vector>

class ProgramStart {
 public:
  // Replaces `*argc` and `*argv` by the arguments in UTF-8 (Windows), for as
  // long as this object lives.
  ProgramStart(int* argc, char*** argv);
  ~ProgramStart();
  ProgramStart(const ProgramStart&) = delete;
  ProgramStart& operator=(const ProgramStart&) = delete;

 private:
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
  unsigned previousCodePage_;  // 0 when it was not changed
};

#endif  // DGNBIN_PLATFORM_PROGRAM_START_H_
